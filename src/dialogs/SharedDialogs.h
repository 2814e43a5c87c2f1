#pragma once

#include <QCoreApplication>

// The shared dialogs are made once and reused for the whole run. Each has an
// accessor (DlgxMessage(), DlgLexRepit(), ...) that makes it on first use;
// the main window calls createSharedDialogs() at start so that none is made
// in the middle of an exercise. They are destroyed with the application.
void createSharedDialogs();

template <class Dialog> Dialog* sharedDialog()
{
    static Dialog* instance = nullptr;
    if (!instance) {
        instance = new Dialog;
        qAddPostRoutine([] {
            delete instance;
            instance = nullptr;
        });
    }
    return instance;
}
