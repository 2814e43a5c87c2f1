#include "widgets/HelpContext.h"

#include <QVariant>
#include <QWidget>

namespace {
const char* const contextProperty = "tolvarenHelpContext";
const char* const topicProperty = "tolvarenHelpTopic";

std::function<void(int)>& contextHandler()
{
    static std::function<void(int)> current;
    return current;
}

std::function<void(const QString&)>& topicHandler()
{
    static std::function<void(const QString&)> current;
    return current;
}
} // namespace

void SetHelpContext(QWidget* window, int context)
{
    window->setProperty(contextProperty, context);
}

int HelpContextOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const int context = widget->property(contextProperty).toInt();
        if (context != 0)
            return context;
    }
    return 0;
}

void SetHelpTopic(QWidget* window, const QString& topic)
{
    window->setProperty(topicProperty, topic);
}

void SetHelpHandler(std::function<void(int)> handler)
{
    contextHandler() = std::move(handler);
}

void SetHelpTopicHandler(std::function<void(const QString&)> handler)
{
    topicHandler() = std::move(handler);
}

void ShowHelpContext(int context)
{
    if (contextHandler())
        contextHandler()(context);
}

void ShowHelpTopic(const QString& topic)
{
    if (topicHandler())
        topicHandler()(topic);
}

void ShowHelpFor(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QString topic = widget->property(topicProperty).toString();
        if (!topic.isEmpty())
            return ShowHelpTopic(topic);
        const int context = widget->property(contextProperty).toInt();
        if (context != 0)
            return ShowHelpContext(context);
    }
    ShowHelpContext(0);
}
