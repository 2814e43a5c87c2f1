#pragma once

#include <QDialog>

// How a modal window was closed: the one vocabulary of the program's windows
// for it. The numbers are the modal results the bitmap buttons have always
// carried; None (QDialog's Rejected) is no result, and a button with it closes
// nothing.
enum class DialogResult {
    None = 0,
    OK = 1,     // confirm, or mark the exercise done
    Cancel = 2, // leave
    Retry = 4,  // repeat the exercise
    Ignore = 5,
};

// QDialog speaks in ints; these are the crossings.
inline void closeDialog(QDialog& dialog, DialogResult result)
{
    dialog.done(int(result));
}
inline DialogResult execDialog(QDialog& dialog)
{
    return DialogResult(dialog.exec());
}
inline DialogResult dialogResult(int code)
{
    return DialogResult(code);
}
