#include "widgets/HelpContext.h"

#include <QVariant>
#include <QWidget>

namespace {
const char* const property = "tolvarenHelpContext";

std::function<void(int)>& handler()
{
    static std::function<void(int)> current;
    return current;
}
} // namespace

void SetHelpContext(QWidget* window, int context)
{
    window->setProperty(property, context);
}

int HelpContextOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const int context = widget->property(property).toInt();
        if (context != 0)
            return context;
    }
    return 0;
}

void SetHelpHandler(std::function<void(int)> newHandler)
{
    handler() = std::move(newHandler);
}

void ShowHelpContext(int context)
{
    if (handler())
        handler()(context);
}
