#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Course files are single-byte text: the German side in Windows code page 1250,
// the Russian side (and everything the program writes) in 1251.
enum class CodePage { Cp1250, Cp1251 };

QString decode(CodePage page, QByteArrayView bytes);

// Empty when the text holds a character the code page cannot store, so that a
// name is refused instead of silently turned into a different one.
std::optional<QByteArray> encode(CodePage page, const QString& text);
