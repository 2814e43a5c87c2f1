#pragma once

#include <QString>

// The shared dialogs as the drills use them, shown modally.
// After a first miss: "Вы ошиблись." / "Попробуйте еще раз.".
void showErrorDo();
// After a miss that counts: the right answer (questions, course language).
void showDoubleError(const QString& rightAnswer);
// The same for the lexicon: the right translation (Russian).
void showLexicError(const QString& rightTranslation);
