#pragma once

// Resource paths of the program's own pictures (resources/resources.qrc).
// Load them with loadPicture() / renderSvg() from Pictures.h, which also
// registers the resources.
namespace pictures {
// Button faces, 100 x 35 (they stretch to other sizes) and round, 36 x 36.
inline constexpr const char* faceUp = ":/pictures/buttons/face-up.svg";
inline constexpr const char* faceOver = ":/pictures/buttons/face-over.svg";
inline constexpr const char* faceDown = ":/pictures/buttons/face-down.svg";
inline constexpr const char* faceDisabled = ":/pictures/buttons/face-disabled.svg";
inline constexpr const char* roundUp = ":/pictures/buttons/round-up.svg";
inline constexpr const char* roundOver = ":/pictures/buttons/round-over.svg";
inline constexpr const char* roundDown = ":/pictures/buttons/round-down.svg";
inline constexpr const char* roundDisabled = ":/pictures/buttons/round-disabled.svg";
// White symbols for round buttons, 20 x 20.
inline constexpr const char* symbolCheck = ":/pictures/symbols/check.svg";
inline constexpr const char* symbolRepeat = ":/pictures/symbols/repeat.svg";
inline constexpr const char* symbolLeave = ":/pictures/symbols/leave.svg";
// Check box balls, 20 x 20: red when checked, grey when not.
inline constexpr const char* ballRed = ":/pictures/balls/ball-red.svg";
inline constexpr const char* ballRedDisabled = ":/pictures/balls/ball-red-disabled.svg";
inline constexpr const char* ballGrey = ":/pictures/balls/ball-grey.svg";
inline constexpr const char* ballGreyDisabled = ":/pictures/balls/ball-grey-disabled.svg";
// Progress bar: track 17 px high, fill 11 px high.
inline constexpr const char* lineBegin = ":/pictures/progress/line-begin.svg";
inline constexpr const char* lineMiddle = ":/pictures/progress/line-middle.svg";
inline constexpr const char* lineEnd = ":/pictures/progress/line-end.svg";
inline constexpr const char* scrollBegin = ":/pictures/progress/scroll-begin.svg";
inline constexpr const char* scrollMiddle = ":/pictures/progress/scroll-middle.svg";
inline constexpr const char* scrollEnd = ":/pictures/progress/scroll-end.svg";
// Frame pieces, 8 px thick (strips 16 px long).
inline constexpr const char* frameTop = ":/pictures/frame/strip-top.svg";
inline constexpr const char* frameBottom = ":/pictures/frame/strip-bottom.svg";
inline constexpr const char* frameLeft = ":/pictures/frame/strip-left.svg";
inline constexpr const char* frameRight = ":/pictures/frame/strip-right.svg";
inline constexpr const char* frameTopLeft = ":/pictures/frame/corner-top-left.svg";
inline constexpr const char* frameTopRight = ":/pictures/frame/corner-top-right.svg";
inline constexpr const char* frameBottomLeft = ":/pictures/frame/corner-bottom-left.svg";
inline constexpr const char* frameBottomRight = ":/pictures/frame/corner-bottom-right.svg";
// The dialogs' side picture, 90 x 160.
inline constexpr const char* dialogSide = ":/pictures/dialogs/side.svg";
// Message icons, 32 x 32.
inline constexpr const char* iconError = ":/pictures/icons/error.svg";
inline constexpr const char* iconQuestion = ":/pictures/icons/question.svg";
inline constexpr const char* iconWarning = ":/pictures/icons/warning.svg";
inline constexpr const char* iconInformation = ":/pictures/icons/information.svg";
// Main window tool bar, 32 x 32.
inline constexpr const char* toolNewUser = ":/pictures/toolbar/new-user.svg";
inline constexpr const char* toolSelectUser = ":/pictures/toolbar/select-user.svg";
inline constexpr const char* toolTeacher = ":/pictures/toolbar/teacher.svg";
inline constexpr const char* toolExecute = ":/pictures/toolbar/execute.svg";
inline constexpr const char* toolReport = ":/pictures/toolbar/report.svg";
inline constexpr const char* toolExit = ":/pictures/toolbar/exit.svg";
// Course tree, 16 x 16.
inline constexpr const char* treeHeading = ":/pictures/tree/heading.svg";
inline constexpr const char* treeToDo = ":/pictures/tree/todo.svg";
inline constexpr const char* treeDone = ":/pictures/tree/done.svg";
// Splash, 600 x 400.
inline constexpr const char* splash = ":/pictures/splash/splash.svg";
} // namespace pictures
