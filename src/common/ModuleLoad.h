#pragma once

#include <QFunctionPointer>
#include <QString>

// The parts of the program that bring many libraries with them (the sound
// stack, printing) are modules of their own, opened the first time they are
// needed, so that the program starts without loading those libraries. The
// modules lie in the program's module folder, found from the program's own
// folder: an installed tree and the build tree have the same shape.
struct ModuleEntry {
    // The module's entry function; null when the module could not be opened.
    QFunctionPointer entry = nullptr;
    // Then, a Russian sentence for the user naming the module's file and why
    // it did not open.
    QString problem;
};

// Opens the module file of the module folder and finds its entry function.
// The module stays loaded for the rest of the program.
ModuleEntry openModule(const QString& fileName, const char* entryName);
