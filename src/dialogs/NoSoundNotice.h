#pragma once

class MediaPlayer;
class QWidget;

// After a Play (or an Open): when it found no sound device, or the program's
// sound module did not load, tells the student so in the message window,
// once per window. Silence alone would pass for a lesson
// without sound, or for a broken one. The message follows the handler that
// played, which goes on as it would after a finished play.
void tellIfNoSound(QWidget* window, const MediaPlayer& player);
