#pragma once

#include <QString>

// Field limits of the in-memory records and the binary files.
inline constexpr int ShortStringMax = 255;
inline constexpr int UserNameMax = 30;
inline constexpr int PasswordMax = 10;

// Text longer than the limit is cut, as the record fields hold no more.
inline QString cutShort(const QString& text, int max = ShortStringMax)
{
    return text.left(max);
}
