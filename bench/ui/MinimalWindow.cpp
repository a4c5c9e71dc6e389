// The start-up peer: the least a Qt program showing the register needs, a QMainWindow with
// a QTreeWidget of the main window's size and columns, optionally holding --rows N rows.
// It reports its first paint exactly as the program does under ZOREN_REPORT_FIRST_PAINT.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTreeWidget>
#include <cstdlib>
#include <cstring>

#include "app/TFirstPaintReport.h"

int main(int argc, char* argv[]) {
    int rows = 0;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--rows") == 0) rows = std::atoi(argv[i + 1]);
    QApplication app(argc, argv);
    QMainWindow window;
    auto* list = new QTreeWidget(&window);
    list->setColumnCount(7);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setHeaderLabels({QString(), QStringLiteral("№"), QStringLiteral("Название"),
                           QStringLiteral("IP Адрес"), QStringLiteral("ID"), QStringLiteral("MQTT"),
                           QStringLiteral("Примечание")});
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < rows; ++i) {
        auto* item = new QTreeWidgetItem;
        item->setText(1, QString::number(i + 1) + QLatin1Char('.'));
        item->setText(2, QStringLiteral("Дом %1, ул. Садовая").arg(i + 1));
        item->setText(3, QStringLiteral("10.0.%1.%2:80").arg(i / 250).arg(i % 250 + 1));
        item->setText(4, QString::number(1000 + i));
        item->setText(5, QString::number(i % 4));
        item->setText(6, QStringLiteral("Подъезд %1").arg(i % 8 + 1));
        items.append(item);
    }
    list->addTopLevelItems(items);
    window.setCentralWidget(list);
    window.move(0, 0);
    window.resize(856, 470);
    if (std::getenv("ZOREN_REPORT_FIRST_PAINT")) window.installEventFilter(new TFirstPaintReport(&window));
    window.show();
    return app.exec();
}
