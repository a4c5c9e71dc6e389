// The main window: its table, menus and commands over the register, and what
// a run leaves in the settings file for the next one.
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <stdexcept>
#include <vector>

#include "app/TApplication.h"
#include "app/TSkinManager.h"
#include "dialogs/TMessageForm.h"
#include "dialogs/WindowText.h"
#include "support/MainWindowRun.h"
#include "support/ModalAnswerer.h"

namespace {

std::string Bytes(const QString& s) { return FromQString(s); }

// The captions of a menu's items, separators as "-".
std::vector<std::string> MenuTexts(const QMenu* menu) {
    std::vector<std::string> texts;
    for (const QAction* a : menu->actions()) texts.push_back(a->isSeparator() ? "-" : Bytes(a->text()));
    return texts;
}

std::string Register(std::initializer_list<const char*> namesUtf8) {
    std::string ini;
    int i = 0;
    for (const char* name : namesUtf8) {
        ini += "[OBJECT" + std::to_string(i) + "]\nName=" + Utf8ToCp1251(name) + "\nIp=10.0.0." +
               std::to_string(i + 1) + "\nMqttId=" + std::to_string(100 - i) + "\n";
        ++i;
    }
    return ini;
}

std::vector<std::string> RowNames(const QTreeWidget* list) {
    std::vector<std::string> names;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        names.push_back(Bytes(list->topLevelItem(i)->text(2)));
    return names;
}

std::vector<std::string> RegisterNames() {
    std::vector<std::string> names;
    for (int i = 0; i < ObjectList.Count(); ++i) names.push_back(ObjectList.Get(i)->Name);
    return names;
}

std::vector<std::string> Names(std::initializer_list<const char*> namesUtf8) {
    std::vector<std::string> names;
    for (const char* n : namesUtf8) names.push_back(Utf8ToCp1251(n));
    return names;
}

using MainWindow = MainWindowRun;

TEST_F(MainWindow, LayoutCaptionsAndMenus) {
    TFormZorenMain& w = Start();
    EXPECT_EQ(Bytes(w.windowTitle()), "Конфигурация ЗОРЕН-RF в режиме MQTT"_w);
    EXPECT_EQ(w.objectName(), "FormZorenMain");
    EXPECT_EQ(FormZorenMain, &w);

    struct Col {
        std::string_view caption;
        Qt::Alignment align;
        int width;
    } cols[] = {{"", Qt::AlignHCenter, 32},          {"№"_w, Qt::AlignHCenter, 50},
                {"Название"_w, Qt::AlignLeft, 250},  {"IP Адрес"_w, Qt::AlignHCenter, 120},
                {"ID"_w, Qt::AlignHCenter, 80},      {"MQTT"_w, Qt::AlignHCenter, 50},
                {"Примечание"_w, Qt::AlignLeft, 250}};
    ASSERT_EQ(w.ListView1->columnCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Bytes(w.ListView1->headerItem()->text(i)), cols[i].caption) << "column " << i;
        EXPECT_EQ(Qt::Alignment(w.ListView1->headerItem()->textAlignment(i)) & Qt::AlignHorizontal_Mask,
                  cols[i].align)
            << "column " << i;
        EXPECT_EQ(w.ListView1->columnWidth(i), cols[i].width) << "column " << i;
    }
    EXPECT_EQ(w.ListView1->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(w.ListView1->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(w.ListView1->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(w.StatusBar1Panels[0]->width(), 250);
    EXPECT_GE(w.StatusBar1Panels[1]->width(), 50);

    std::vector<std::string> menus;
    for (const QAction* a : w.MainMenu1->actions()) menus.push_back(Bytes(a->text()));
    EXPECT_EQ(menus, Names({"Файл", "Помошь"}));
    EXPECT_EQ(MenuTexts(w.MainMenu1->actions()[0]->menu()), Names({"Выход"}));
    EXPECT_EQ(MenuTexts(w.MainMenu1->actions()[1]->menu()),
              Names({"Проверить обновление ...", "-", "О программе ..."}));
    EXPECT_EQ(MenuTexts(w.PopupMenu1),
              Names({"Прочитать конфигурацию ...", "Редактировать конфигурацию ...",
                     "Записать  конфигурацию ...", "-", "Изменить ...", "Добавить ...", "Удалить ...", "-",
                     "Переместить вверх", "Переместить вниз", "-", "Открыть папку ..."}));
    for (const QAction* a : w.PopupMenu1->actions()) {
        EXPECT_TRUE(a->isEnabled() && a->isVisible()) << Cp1251ToUtf8(Bytes(a->text()));
        EXPECT_TRUE(a->shortcut().isEmpty()) << Cp1251ToUtf8(Bytes(a->text()));
    }
}

TEST_F(MainWindow, EmptyRegisterCommandsDoNothing) {
    TFormZorenMain& w = Start();
    EXPECT_EQ(w.ListView1->topLevelItemCount(), 0);
    for (QAction* a : w.PopupMenu1->actions())
        if (a != w.mAdd && !a->isSeparator()) a->trigger();
    EXPECT_EQ(ObjectList.Count(), 0);
    EXPECT_EQ(w.ListView1->topLevelItemCount(), 0);
    EXPECT_TRUE(std::filesystem::is_directory(Home().Path() + "/ZorEN_MQTT/Objects"));
}

TEST_F(MainWindow, RowsShowTheRegister) {
    WriteIni(Register({"Дом 1", "Zeta"}) + "Comment=" + Utf8ToCp1251("Секция А") + "\nMqttIndex=-7\n");
    TFormZorenMain& w = Start();
    ASSERT_EQ(w.ListView1->topLevelItemCount(), 2);
    const QTreeWidgetItem* row = w.ListView1->topLevelItem(1);
    std::vector<std::string> cells;
    for (int c = 1; c < 7; ++c) cells.push_back(Bytes(row->text(c)));
    EXPECT_EQ(cells, Names({"2.", "Zeta", "10.0.0.2", "99", "-7", "Секция А"}));
    EXPECT_FALSE(row->icon(0).isNull());
    EXPECT_TRUE(row->text(0).isEmpty());
    EXPECT_EQ(w.SelectedRow(), -1);
}

TEST_F(MainWindow, DeleteAndMoveSelectionRules) {
    struct Case {
        const char* name;
        int selected;
        void (TFormZorenMain::*command)();
        std::vector<std::string> rows;
        int selectedAfter;
    } cases[] = {
        {"delete row 0", 0, &TFormZorenMain::mDeleteClick, Names({"B", "C", "D", "E"}), -1},
        {"delete row 3", 3, &TFormZorenMain::mDeleteClick, Names({"A", "B", "C", "E"}), 2},
        {"delete last", 4, &TFormZorenMain::mDeleteClick, Names({"A", "B", "C", "D"}), 3},
        {"up on row 0", 0, &TFormZorenMain::pmUpClick, Names({"A", "B", "C", "D", "E"}), 0},
        {"up on row 2", 2, &TFormZorenMain::pmUpClick, Names({"A", "C", "B", "D", "E"}), 1},
        {"down on the last row", 4, &TFormZorenMain::pmDownClick, Names({"A", "B", "C", "D", "E"}), 4},
        {"down on row 1", 1, &TFormZorenMain::pmDownClick, Names({"A", "C", "B", "D", "E"}), 2},
        {"delete without selection", -1, &TFormZorenMain::mDeleteClick, Names({"A", "B", "C", "D", "E"}), -1},
    };
    WriteIni(Register({"A", "B", "C", "D", "E"}));
    for (const Case& c : cases) {
        TFormZorenMain& w = Start();
        w.SelectRow(c.selected);
        (w.*c.command)();
        EXPECT_EQ(RowNames(w.ListView1), c.rows) << c.name;
        EXPECT_EQ(RegisterNames(), c.rows) << c.name;
        EXPECT_EQ(w.SelectedRow(), c.selectedAfter) << c.name;
        for (int i = 0; i < w.ListView1->topLevelItemCount(); ++i)
            EXPECT_EQ(Bytes(w.ListView1->topLevelItem(i)->text(1)), std::to_string(i + 1) + ".") << c.name;
        Discard();  // the next case starts from the same file
    }
}

TEST_F(MainWindow, SortingFlipsOneDirectionForAllColumns) {
    WriteIni(Register({"b", "A", "C"}));  // MqttId 100, 99, 98
    TFormZorenMain& w = Start();
    QHeaderView* header = w.ListView1->header();
    struct Step {
        int column;
        std::vector<std::string> rows;
        bool ascendingAfter;
    } steps[] = {
        {1, Names({"b", "A", "C"}), true},   // "№" flips without sorting
        {2, Names({"C", "b", "A"}), false},  // so the first name sort is descending
        {2, Names({"A", "b", "C"}), true},   // Latin letters compare case-folded
        {0, Names({"A", "b", "C"}), false}, {4, Names({"C", "A", "b"}), true},  // ID ascending: 98, 99, 100
        {4, Names({"b", "A", "C"}), false},
    };
    for (const Step& s : steps) {
        emit header->sectionClicked(s.column);
        EXPECT_EQ(RowNames(w.ListView1), s.rows) << "column " << s.column;
        EXPECT_EQ(RegisterNames(), s.rows) << "column " << s.column;
        EXPECT_EQ(w.SortAscending, s.ascendingAfter) << "column " << s.column;
    }
}

TEST_F(MainWindow, SortingKeepsTheSelectedController) {
    WriteIni(Register({"b", "A", "C"}));
    TFormZorenMain& w = Start();
    w.SelectRow(0);  // "b"
    w.ListView1ColumnClick(2);
    EXPECT_EQ(w.SelectedRow(), 1);
    EXPECT_EQ(ObjectList.Get(w.SelectedRow())->Name, "b");
    w.ListView1->clearSelection();
    w.ListView1ColumnClick(3);
    EXPECT_EQ(w.SelectedRow(), -1);
}

// After sorting and moving, the next run shows the order this one showed.
TEST_F(MainWindow, OrderShownIsOrderSavedAcrossRuns) {
    WriteIni(Register({"Дом 2", "Дом 1", "Ёлка", "Аптека"}));
    TFormZorenMain& w = Start();
    w.ListView1ColumnClick(2);  // ascending by name: Ё (0xA8) before А
    w.SelectRow(3);
    w.pmUpClick();
    std::vector<std::string> shown = RowNames(w.ListView1);
    EXPECT_EQ(shown, Names({"Ёлка", "Аптека", "Дом 2", "Дом 1"}));
    Stop();

    auto ini = ReadIni();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ini->ReadString("OBJECT" + std::to_string(i), "Name", "?"), shown[i]) << i;
    EXPECT_FALSE(ini->SectionExists("OBJECT4"));

    TFormZorenMain& next = Start();
    EXPECT_EQ(RowNames(next.ListView1), shown);
    // The file holds 1251 bytes, never UTF-8.
    EXPECT_NE(TempDir::ReadFile(IniPath()).find(Utf8ToCp1251("Name=Ёлка")), std::string::npos);
}

TEST_F(MainWindow, BoundsAndColumnWidthsComeBack) {
    TFormZorenMain& w = Start();
    EXPECT_EQ(w.frameGeometry().topLeft(), QPoint(0, 0));
    w.setGeometry(120, 90, 700, 380);
    w.ListView1->setColumnWidth(2, 177);
    w.ListView1->setColumnWidth(6, 91);
    QCoreApplication::processEvents();
    const QRect outer = w.frameGeometry();
    Stop();

    auto ini = ReadIni();
    EXPECT_EQ(ini->ReadInteger("FormZorenMain", "Left", -1), outer.x());
    EXPECT_EQ(ini->ReadInteger("FormZorenMain", "Width", -1), outer.width());
    EXPECT_EQ(ini->ReadInteger("ListView", "ListView1_col3", -1), 177);

    TFormZorenMain& next = Start();
    EXPECT_EQ(next.frameGeometry(), outer);
    EXPECT_EQ(next.ListView1->columnWidth(2), 177);
    EXPECT_EQ(next.ListView1->columnWidth(6), 91);
    EXPECT_EQ(next.ListView1->columnWidth(3), 120);
}

TEST_F(MainWindow, OffDesktopCornerComesBackAtTheEdge) {
    WriteIni("[FormZorenMain]\nLeft=50000\nTop=40\nWidth=600\nHeight=300\n");
    TFormZorenMain& w = Start();
    EXPECT_EQ(w.frameGeometry(), QRect(0, 40, 600, 300));
}

TEST_F(MainWindow, SkinSettingsRoundTrip) {
    std::filesystem::create_directories(Home().Path() + "/skins");
    TempDir::WriteFile(Home().Path() + "/skins/Dark.qss", "QWidget { color: #ddd; background: #333; }");
    std::string skinDir = Utf8ToCp1251(Home().Path() + "/skins");
    WriteIni("[Skin]\nSkinName=Dark.qss\nSkinDir=" + skinDir + "\n");
    TFormZorenMain& w = Start();
    EXPECT_EQ(w.sSkinManager1->SkinName(), "Dark.qss");
    EXPECT_EQ(w.sSkinManager1->SkinDirectory(), skinDir);
    std::vector<std::string> names = w.sSkinManager1->SkinNames();
    EXPECT_EQ(names.front(), TSkinManager::BuiltInSkin);
    EXPECT_NE(std::find(names.begin(), names.end(), "Dark.qss"), names.end());
    EXPECT_FALSE(qApp->styleSheet().isEmpty());
    w.sSkinManager1->SetSkinName(TSkinManager::BuiltInSkin);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    Stop();
    auto ini = ReadIni();
    EXPECT_EQ(ini->ReadString("Skin", "SkinName", "?"), TSkinManager::BuiltInSkin);
    EXPECT_EQ(ini->ReadString("Skin", "SkinDir", "?"), skinDir);
}

TEST_F(MainWindow, FirstRunUsesTheBuiltInSkin) {
    TFormZorenMain& w = Start();
    EXPECT_EQ(w.sSkinManager1->SkinName(), TSkinManager::BuiltInSkin);
    EXPECT_EQ(qApp->style()->name().toLower(), "fusion");
    Stop();
    EXPECT_EQ(ReadIni()->ReadString("Skin", "SkinName", "?"), TSkinManager::BuiltInSkin);
}

}  // namespace

namespace {

// An exception that leaves an event handler is shown with its text, and the program goes on.
TEST(ApplicationObject, ExceptionTextIsShown) {
    struct Case {
        std::function<void()> thrower;
        std::string text;
    } cases[] = {
        {[] { throw std::runtime_error(std::string("Нет доступа"_w)); }, std::string("Нет доступа"_w)},
        {[] { throw 42; }, ""}};
    for (const Case& c : cases) {
        ModalAnswerer answerer;
        std::string caption, text;
        answerer.Then([&](QWidget* modal) {
            auto* form = static_cast<TMessageForm*>(modal);
            caption = FromQString(form->windowTitle());
            text = FromQString(form->Panel1->text());
            form->sBitBtn->click();
        });
        try {
            c.thrower();
        } catch (...) {
            ShowCurrentException();
        }
        EXPECT_EQ(caption, "ZorEN_MQTT");
        EXPECT_EQ(text, c.text);
    }
}

}  // namespace
