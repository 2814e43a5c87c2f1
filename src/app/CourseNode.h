#pragma once

#include "app/AppImages.h"

#include <QIcon>
#include <QTreeWidgetItem>

// A node of the course tree keeps only its entry, its title (shared with the
// catalogue) and which of the window's pictures it shows; the view asks for
// them as it draws. Nothing is stored per role, so a course of many thousand
// entries is built quickly and a picture changes without a new icon.
class CourseNode : public QTreeWidgetItem {
public:
    // Data roles of a node: its catalogue entry index and its picture.
    static constexpr int EntryRole = Qt::UserRole;
    static constexpr int ImageRole = Qt::UserRole + 1;

    CourseNode(int entry, const QString& title, TreeImage image, const QIcon* pictures)
        : entry_(entry), title_(title), image_(image), pictures_(pictures)
    {
    }
    QVariant data(int column, int role) const override
    {
        if (column != 0)
            return QTreeWidgetItem::data(column, role);
        switch (role) {
        case Qt::DisplayRole:
            return title_;
        case Qt::DecorationRole:
            return pictures_[int(image_)];
        case EntryRole:
            return entry_;
        case ImageRole:
            return int(image_);
        case Qt::AccessibleDescriptionRole:
            // What the node's picture shows, for a student who cannot see it.
            return described(image_);
        default:
            return QTreeWidgetItem::data(column, role);
        }
    }
    void setImage(TreeImage image)
    {
        if (image == image_)
            return;
        image_ = image;
        // Through the stored data, so that the view hears of this one cell
        // (a node without stored columns would name no column).
        QTreeWidgetItem::setData(0, ImageRole, int(image));
    }

private:
    static QString described(TreeImage image)
    {
        switch (image) {
        case TreeImage::Heading:
            return QStringLiteral("раздел");
        case TreeImage::ToDo:
            return QStringLiteral("не выполнено");
        case TreeImage::Done:
            break;
        }
        return QStringLiteral("выполнено");
    }

    const int entry_;
    const QString title_;
    TreeImage image_;
    const QIcon* const pictures_;
};
