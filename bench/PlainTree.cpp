// The yardstick of the course benchmarks: a plain Qt main window that reads
// the four catalogues of a folder (tab-separated lines in code page 1251) and
// shows the tree of the last one read in one QTreeWidget, a picture per node,
// then says "idle" on its output as the program does.
//   plain_tree FOLDER
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QPainter>
#include <QStringDecoder>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <vector>

namespace {

struct Entry {
    QString title;
    bool isChild = false;
    int anchor = 0;
    int kind = 0;
};

std::vector<Entry> readCatalogue(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decode("windows-1251");
    const QString text = decode(file.readAll());
    std::vector<Entry> entries(1);
    for (const QStringView line : QStringView(text).split(u'\n')) {
        const QList<QStringView> fields = line.trimmed().split(u'\t');
        if (fields.size() < 6)
            continue;
        entries.push_back(
            {fields[0].toString(), fields[1] != u"0", fields[2].toInt(), fields[5].toInt()});
    }
    return entries;
}

QIcon picture(QColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setBrush(colour);
    painter.drawEllipse(2, 2, 12, 12);
    return QIcon(pixmap);
}

void fillTree(QTreeWidget& tree, const std::vector<Entry>& entries)
{
    const QIcon heading = picture(Qt::darkBlue), exercise = picture(Qt::darkGreen);
    std::vector<QTreeWidgetItem*> nodes(entries.size(), nullptr);
    QList<QTreeWidgetItem*> top;
    for (size_t i = 1; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        nodes[i] = new QTreeWidgetItem(QStringList(entry.title));
        nodes[i]->setIcon(0, entry.kind == 0 ? heading : exercise);
        QTreeWidgetItem* anchor =
            entry.anchor > 0 && size_t(entry.anchor) < i ? nodes[entry.anchor] : nullptr;
        QTreeWidgetItem* parent = anchor && !entry.isChild ? anchor->parent() : anchor;
        if (parent && i > 1)
            parent->addChild(nodes[i]);
        else
            top.append(nodes[i]);
    }
    tree.addTopLevelItems(top);
    if (!top.isEmpty())
        tree.setCurrentItem(top.first());
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    std::vector<Entry> entries;
    for (const char* mode : {"A", "B", "C", "D"})
        entries = readCatalogue(folder + QStringLiteral("/InitReg%1.txt").arg(QLatin1String(mode)));
    QMainWindow window;
    auto* tree = new QTreeWidget(&window);
    tree->setHeaderHidden(true);
    fillTree(*tree, entries);
    window.setCentralWidget(tree);
    window.resize(775, 545);
    window.show();
    QTimer::singleShot(0, [] {
        std::fputs("idle\n", stdout);
        std::fflush(stdout);
    });
    return app.exec();
}
