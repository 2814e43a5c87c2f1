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

void setHelpContext(QWidget* window, int context)
{
    window->setProperty(contextProperty, context);
}

int helpContextOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const int context = widget->property(contextProperty).toInt();
        if (context != 0)
            return context;
    }
    return 0;
}

void setHelpTopic(QWidget* window, const QString& topic)
{
    window->setProperty(topicProperty, topic);
}

void setHelpHandler(std::function<void(int)> handler)
{
    contextHandler() = std::move(handler);
}

void setHelpTopicHandler(std::function<void(const QString&)> handler)
{
    topicHandler() = std::move(handler);
}

void showHelpContext(int context)
{
    if (contextHandler())
        contextHandler()(context);
}

void showHelpTopic(const QString& topic)
{
    if (topicHandler())
        topicHandler()(topic);
}

void showHelpFor(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const QString topic = widget->property(topicProperty).toString();
        if (!topic.isEmpty())
            return showHelpTopic(topic);
        const int context = widget->property(contextProperty).toInt();
        if (context != 0)
            return showHelpContext(context);
    }
    showHelpContext(0);
}
