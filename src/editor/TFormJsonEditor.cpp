// The configuration editor window, its hidden structured pages and the blocks page handlers.
#include "editor/TFormJsonEditor.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstdlib>

#include "config/BUILDING_DATA.h"
#include "config/ConfigurationDocument.h"
#include "config/DEVICE_VELT.h"
#include "config/MAIN_DATA.h"
#include "dialogs/MessageDialogs.h"
#include "dialogs/WindowText.h"
#include "dialogs/ButtonCentring.h"
#include "editor/TFormAddDev.h"
#include "editor/TJsonLexer.h"
#include "editor/TRadioGroup.h"
#include "json/TJSONValue.h"
#include "platform/Cp1251.h"
#include "platform/FileSystem.h"
#include "registry/ZOREN_OBJECT.h"
#include "storage/AppSettings.h"
#include "storage/FormState.h"

TFormJsonEditor* FormJsonEditor = nullptr;

namespace {

constexpr std::string_view kSection = "FormJsonEditor";
constexpr int kErrorMarker = 0;
constexpr int kErrorLineMarker = 1;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

struct MqtBox {
    int tag;
    const char* code;
    const char* caption;
};
constexpr MqtBox kMqtBoxes[] = {
    {1, "CNN", "Текущий способ подключения к серверу"}, {2, "PVD", "Провайдер подключения"},
    {3, "LVL", "Уровень сигнала (для GSM GPRS) в %"},   {4, "BTR", "Уровень заряда АКБ в %"},
    {5, "ALR", "Сигнализация о неисправности"},
};

const char* CodeOfTag(int tag) {
    for (const auto& b : kMqtBoxes)
        if (b.tag == tag) return b.code;
    return nullptr;
}

QLineEdit* AddField(QFormLayout* form, QWidget* parent, const char* name, const char* label) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    form->addRow(U(label), edit);
    return edit;
}

QCheckBox* AddCheck(QFormLayout* form, QWidget* parent, const char* name, const char* caption) {
    auto* box = new QCheckBox(U(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    form->addRow(QString(), box);
    return box;
}

QFormLayout* NewForm(QWidget* page) {
    auto* form = new QFormLayout(page);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return form;
}

bool NativeDialogsUnusable() {
    const QString p = QGuiApplication::platformName();
    return p == QLatin1String("offscreen") || p == QLatin1String("minimal");
}

// The byte offset a reader error reports: the number after "pos ".
bool ReportedOffset(std::string_view message, std::size_t& offset) {
    std::size_t at = message.rfind("pos ");
    if (at == std::string_view::npos) return false;
    at += 4;
    std::size_t end = at;
    while (end < message.size() && message[end] >= '0' && message[end] <= '9') ++end;
    if (end == at) return false;
    offset = std::strtoull(std::string(message.substr(at, end - at)).c_str(), nullptr, 10);
    return true;
}

}  // namespace

TFormJsonEditor::TFormJsonEditor(QWidget* owner, ZOREN_OBJECT* controller)
    : QDialog(owner), Controller(controller), JsonRoot(std::make_unique<TJSONValue>()) {
    setObjectName(QStringLiteral("FormJsonEditor"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinMaxButtonsHint);
    setWindowTitle(QString());
    setFont(TahomaFont(13));
    resize(776, 467);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    mFile = MainMenu1->addMenu(U("Файл"));
    mFile->setObjectName(QStringLiteral("mFile"));
    mOpen = mFile->addAction(U("Открыть ..."));
    mOpen->setObjectName(QStringLiteral("mOpen"));
    mSave = mFile->addAction(U("Сохранить"));
    mSave->setObjectName(QStringLiteral("mSave"));
    mSaveAs = mFile->addAction(U("Сохранить как ..."));
    mSaveAs->setObjectName(QStringLiteral("mSaveAs"));
    mFile->addSeparator();
    mClose = mFile->addAction(U("Выход"));
    mClose->setObjectName(QStringLiteral("mClose"));
    layout->setMenuBar(MainMenu1);
    connect(mOpen, &QAction::triggered, this, &TFormJsonEditor::mOpenClick);
    connect(mSave, &QAction::triggered, this, &TFormJsonEditor::mSaveClick);
    connect(mSaveAs, &QAction::triggered, this, &TFormJsonEditor::mSaveAsClick);
    connect(mClose, &QAction::triggered, this, &TFormJsonEditor::mCloseClick);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1, 1);
    BuildJsonPage();
    BuildServerPage();
    BuildBuildingPage();
    BuildDevicesPage();
    BuildHttpPage();

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(41);
    ButtonOK = new QPushButton(QStringLiteral("OK"), Panel2);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonCancel = new QPushButton(U("Отмена"), Panel2);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    for (QPushButton* b : {ButtonOK, ButtonCancel}) {
        b->setGeometry(0, 8, 75, 25);
        b->setAutoDefault(false);
    }
    layout->addWidget(Panel2);
    connect(ButtonOK, &QPushButton::clicked, this, &TFormJsonEditor::ButtonOKClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    // Layout kept in the settings document; the window always opens on the JSON page.
    const int devicesWidth = IniFile ? IniFile->ReadInteger(kSection, "PanelDevices", 185) : 185;
    const int objectsWidth = IniFile ? IniFile->ReadInteger(kSection, "PanelMqttObj", 185) : 185;
    // The page is never laid out while its tab is hidden, so the splitters keep
    // the widths themselves and only a moved splitter changes them.
    panelDevicesWidth_ = devicesWidth;
    panelMqttObjWidth_ = objectsWidth;
    sSplitter1->resize(devicesWidth + objectsWidth + 400, 400);
    sSplitter1->setSizes({devicesWidth, objectsWidth + 400});
    sSplitter2->setSizes({objectsWidth, 400});
    connect(sSplitter1, &QSplitter::splitterMoved, this,
            [this] { panelDevicesWidth_ = sSplitter1->sizes().value(0); });
    connect(sSplitter2, &QSplitter::splitterMoved, this,
            [this] { panelMqttObjWidth_ = sSplitter2->sizes().value(0); });
    HideBlockPanels();
    for (QWidget* page : {TabSheetServer, TabSheetBuilding, TabSheetDevs, TabSheetHttp})
        PageControl1->setTabVisible(PageControl1->indexOf(page), false);
    PageControl1->setCurrentIndex(0);
    FormResize();
}

TFormJsonEditor::~TFormJsonEditor() = default;

void TFormJsonEditor::BuildJsonPage() {
    TabSheetJson = new QWidget;
    TabSheetJson->setObjectName(QStringLiteral("TabSheetJson"));
    PageControl1->addTab(TabSheetJson, U(" JSON "));
    auto* l = new QVBoxLayout(TabSheetJson);
    l->setContentsMargins(0, 0, 0, 0);

    SynEdit1 = new QsciScintilla(TabSheetJson);
    SynEdit1->setObjectName(QStringLiteral("SynEdit1"));
    SynEdit1->setUtf8(true);
    SynMultiSyn1 = new TJsonLexer(SynEdit1);
    SynMultiSyn1->setObjectName(QStringLiteral("SynMultiSyn1"));
    SynEdit1->setFont(TJsonLexer::TextFont());
    SynEdit1->setLexer(SynMultiSyn1);
    SynEdit1->setIndentationsUseTabs(true);
    SynEdit1->setTabWidth(8);

    QFont gutter(QStringLiteral("Courier New"));
    gutter.setStyleHint(QFont::Monospace);
    gutter.setPointSizeF(8.25);  // 11 pixels at 96 dots per inch
    SynEdit1->setMarginsFont(gutter);
    SynEdit1->setMarginType(0, QsciScintilla::NumberMargin);
    SynEdit1->setMarginLineNumbers(0, true);
    SynEdit1->setMarginWidth(0, QStringLiteral("000000"));
    SynEdit1->setMarginType(1, QsciScintilla::SymbolMargin);
    SynEdit1->setMarginWidth(1, 14);
    SynEdit1->setMarginMarkerMask(1, 1 << kErrorMarker);
    SynEdit1->markerDefine(QsciScintilla::RightTriangle, kErrorMarker);
    SynEdit1->setMarkerBackgroundColor(QColor(220, 0, 0), kErrorMarker);
    SynEdit1->setMarkerForegroundColor(QColor(220, 0, 0), kErrorMarker);
    SynEdit1->markerDefine(QsciScintilla::Background, kErrorLineMarker);
    SynEdit1->setMarkerBackgroundColor(QColor(255, 214, 214), kErrorLineMarker);

    SynEdit1->installEventFilter(this);
    SynEdit1->viewport()->installEventFilter(this);
    l->addWidget(SynEdit1);
}

void TFormJsonEditor::BuildServerPage() {
    TabSheetServer = new QWidget;
    TabSheetServer->setObjectName(QStringLiteral("TabSheetServer"));
    PageControl1->addTab(TabSheetServer, U(" Сервер MQTT "));
    auto* form = NewForm(TabSheetServer);
    EditIP = AddField(form, TabSheetServer, "EditIP", "IP адрес");
    EditPort = AddField(form, TabSheetServer, "EditPort", "Порт");
    EditLogin = AddField(form, TabSheetServer, "EditLogin", "Логин");
    EditPassword = AddField(form, TabSheetServer, "EditPassword", "Пароль");
    ComboBoxQoS = new QComboBox(TabSheetServer);
    ComboBoxQoS->setObjectName(QStringLiteral("ComboBoxQoS"));
    ComboBoxQoS->addItems({QStringLiteral("0"), QStringLiteral("1")});
    form->addRow(QStringLiteral("QoS"), ComboBoxQoS);
    CheckBoxRetain = AddCheck(form, TabSheetServer, "CheckBoxRetain", "Сохранять значения на сервере");
    CheckBoxAddTimestamp = AddCheck(form, TabSheetServer, "CheckBoxAddTimestamp", "Добавлять время");
    CheckBoxBuffering =
        AddCheck(form, TabSheetServer, "CheckBoxBuffering", "Буферизировать при отсутствии связи");
    EditWillTopic = AddField(form, TabSheetServer, "EditWillTopic", "will топик");
    EditWillMessage = AddField(form, TabSheetServer, "EditWillMessage", "will значение");
}

void TFormJsonEditor::BuildBuildingPage() {
    TabSheetBuilding = new QWidget;
    TabSheetBuilding->setObjectName(QStringLiteral("TabSheetBuilding"));
    PageControl1->addTab(TabSheetBuilding, U(" Здание "));
    auto* outer = new QVBoxLayout(TabSheetBuilding);
    auto* top = new QFormLayout;
    top->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    EditBuildingId = AddField(top, TabSheetBuilding, "EditBuildingId", "Идентификатор");
    outer->addLayout(top);
    auto* group = new QGroupBox(U("Подключение"), TabSheetBuilding);
    auto* form = NewForm(group);
    EditBuildingType = AddField(form, group, "EditBuildingType", "Тип");
    EditBuildingIp = AddField(form, group, "EditBuildingIp", "IP");
    EditBuildingPort = AddField(form, group, "EditBuildingPort", "Порт");
    EditBuildingSerial = AddField(form, group, "EditBuildingSerial", "Serial");
    outer->addWidget(group);
    outer->addStretch(1);
}

void TFormJsonEditor::BuildHttpPage() {
    TabSheetHttp = new QWidget;
    TabSheetHttp->setObjectName(QStringLiteral("TabSheetHttp"));
    PageControl1->addTab(TabSheetHttp, U(" HTTP "));
    auto* form = NewForm(TabSheetHttp);
    EditLoginHttp = AddField(form, TabSheetHttp, "EditLoginHttp", "Логин");
    EditPasswordHttp = AddField(form, TabSheetHttp, "EditPasswordHttp", "Пароль");
}

void TFormJsonEditor::BuildDevicesPage() {
    TabSheetDevs = new QWidget;
    TabSheetDevs->setObjectName(QStringLiteral("TabSheetDevs"));
    PageControl1->addTab(TabSheetDevs, U(" Устройства "));
    auto* pageLayout = new QHBoxLayout(TabSheetDevs);
    pageLayout->setContentsMargins(0, 0, 0, 0);

    sSplitter1 = new QSplitter(Qt::Horizontal, TabSheetDevs);
    sSplitter1->setObjectName(QStringLiteral("sSplitter1"));
    sSplitter1->setHandleWidth(4);
    sSplitter1->setChildrenCollapsible(false);
    pageLayout->addWidget(sSplitter1);

    PanelDevices = new QWidget;
    PanelDevices->setObjectName(QStringLiteral("PanelDevices"));
    auto* dl = new QVBoxLayout(PanelDevices);
    dl->addWidget(new QLabel(U("Блоки системы \nдиспетчеризации"), PanelDevices));
    ListBoxDevices = new QListWidget(PanelDevices);
    ListBoxDevices->setObjectName(QStringLiteral("ListBoxDevices"));
    ListBoxDevices->setContextMenuPolicy(Qt::CustomContextMenu);
    dl->addWidget(ListBoxDevices, 1);
    sSplitter1->addWidget(PanelDevices);

    sSplitter2 = new QSplitter(Qt::Horizontal);
    sSplitter2->setObjectName(QStringLiteral("sSplitter2"));
    sSplitter2->setHandleWidth(4);
    sSplitter2->setChildrenCollapsible(false);
    sSplitter1->addWidget(sSplitter2);

    PanelMqttObj = new QWidget;
    PanelMqttObj->setObjectName(QStringLiteral("PanelMqttObj"));
    auto* ol = new QVBoxLayout(PanelMqttObj);
    ol->addWidget(new QLabel(U("Объекты MQTT"), PanelMqttObj));
    ListBoxMqttObj = new QListWidget(PanelMqttObj);
    ListBoxMqttObj->setObjectName(QStringLiteral("ListBoxMqttObj"));
    ListBoxMqttObj->setContextMenuPolicy(Qt::CustomContextMenu);
    ol->addWidget(ListBoxMqttObj, 1);
    sSplitter2->addWidget(PanelMqttObj);

    auto* rest = new QWidget;
    rest->setObjectName(QStringLiteral("PanelRest"));
    auto* rl = new QVBoxLayout(rest);
    rl->setContentsMargins(0, 0, 0, 0);
    sSplitter2->addWidget(rest);
    sSplitter1->setStretchFactor(1, 1);
    sSplitter2->setStretchFactor(1, 1);

    PanelZoren = new QWidget(rest);
    PanelZoren->setObjectName(QStringLiteral("PanelZoren"));
    auto* zl = new QVBoxLayout(PanelZoren);
    auto* title = new QLabel(U("Параметры контроллера MQTT"), PanelZoren);
    QFont titleFont = title->font();
    titleFont.setPixelSize(15);
    title->setFont(titleFont);
    zl->addWidget(title);
    QCheckBox** boxes[] = {&CheckBoxMqtCNN, &CheckBoxMqtPVD, &CheckBoxMqtLVL, &CheckBoxMqtBTR,
                           &CheckBoxMqtALR};
    for (std::size_t i = 0; i < std::size(kMqtBoxes); ++i) {
        auto* box = new QCheckBox(U(kMqtBoxes[i].caption), PanelZoren);
        box->setObjectName(QStringLiteral("CheckBoxMqt") + QLatin1String(kMqtBoxes[i].code));
        box->setProperty("tag", kMqtBoxes[i].tag);
        zl->addWidget(box);
        *boxes[i] = box;
        connect(box, &QCheckBox::toggled, this, [this, box] { CheckBoxMqtCNNClick(box); });
    }
    zl->addStretch(1);
    rl->addWidget(PanelZoren);

    PanelVelt = new QWidget(rest);
    PanelVelt->setObjectName(QStringLiteral("PanelVelt"));
    auto* vl = new QHBoxLayout(PanelVelt);
    RadioGroupShVeltSh = new TRadioGroup(U("Шлейф"), {"1", "2", "3", "4", "5", "6", "7", "8"}, PanelVelt);
    RadioGroupShVeltSh->setObjectName(QStringLiteral("RadioGroupShVeltSh"));
    RadioGroupShVeltShType =
        new TRadioGroup(U("Настройка шлейфа"),
                        {U("Не используется (всегда норма)"), U("Активный пожарный (дымовой)"),
                         U("Пассивный пожарный"), U("Нормально разомкнутый"), U("Нормально замкнутый ")},
                        PanelVelt);
    RadioGroupShVeltShType->setObjectName(QStringLiteral("RadioGroupShVeltShType"));
    vl->addWidget(RadioGroupShVeltSh);
    vl->addWidget(RadioGroupShVeltShType, 1);
    rl->addWidget(PanelVelt);
    connect(RadioGroupShVeltSh, &TRadioGroup::Click, this, &TFormJsonEditor::RadioGroupShVeltShClick);
    connect(RadioGroupShVeltShType, &TRadioGroup::Click, this, &TFormJsonEditor::RadioGroupShVeltShTypeClick);

    PanelUU = new QWidget(rest);
    PanelUU->setObjectName(QStringLiteral("PanelUU"));
    auto* ul = new QVBoxLayout(PanelUU);
    LabelInternalParams = new QLabel(U("Параметры блока"), PanelUU);
    LabelInternalParams->setObjectName(QStringLiteral("LabelInternalParams"));
    ul->addWidget(LabelInternalParams);
    ListBoxInternalParams = new QListWidget(PanelUU);
    ListBoxInternalParams->setObjectName(QStringLiteral("ListBoxInternalParams"));
    ul->addWidget(ListBoxInternalParams, 1);
    rl->addWidget(PanelUU);
    rl->addStretch(0);

    PopupMenuDev = new QMenu(this);
    PopupMenuDev->setObjectName(QStringLiteral("PopupMenuDev"));
    pmDevAdd = PopupMenuDev->addAction(U("Добавить ..."));
    pmDevAdd->setObjectName(QStringLiteral("pmDevAdd"));
    pmDevDel = PopupMenuDev->addAction(U("Удалить"));
    pmDevDel->setObjectName(QStringLiteral("pmDevDel"));
    PopupMenuTopics = new QMenu(this);
    PopupMenuTopics->setObjectName(QStringLiteral("PopupMenuTopics"));
    pmTopicAdd = PopupMenuTopics->addAction(U("Добавить ..."));
    pmTopicAdd->setObjectName(QStringLiteral("pmTopicAdd"));
    pmTopicDel = PopupMenuTopics->addAction(U("Удалить"));
    pmTopicDel->setObjectName(QStringLiteral("pmTopicDel"));
    PopupMenuTopics->addSeparator();
    pmTopicEdit = PopupMenuTopics->addAction(U("Изменить ..."));
    pmTopicEdit->setObjectName(QStringLiteral("pmTopicEdit"));
    connect(pmDevAdd, &QAction::triggered, this, &TFormJsonEditor::pmDevAddClick);
    connect(ListBoxDevices, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenuDev->popup(ListBoxDevices->viewport()->mapToGlobal(p)); });
    connect(ListBoxMqttObj, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenuTopics->popup(ListBoxMqttObj->viewport()->mapToGlobal(p)); });

    connect(ListBoxDevices, &QListWidget::currentRowChanged, this, &TFormJsonEditor::ListBoxDevicesClick);
    connect(ListBoxMqttObj, &QListWidget::currentRowChanged, this, &TFormJsonEditor::ListBoxMqttObjClick);
    connect(ListBoxInternalParams, &QListWidget::itemClicked, this,
            &TFormJsonEditor::ListBoxInternalParamsClick);
    connect(ListBoxInternalParams, &QListWidget::itemDoubleClicked, this,
            &TFormJsonEditor::ListBoxInternalParamsDblClick);
}

// ---- window ----

void TFormJsonEditor::showEvent(QShowEvent* event) {
    // The window loads once, when it is first shown, after its bounds are restored.
    const bool first = !loaded_;
    if (first) {
        loaded_ = true;
        RestoreFormState(this);
    }
    QDialog::showEvent(event);
    if (first) FormShow();
}

void TFormJsonEditor::FormShow() { LoadDocument(); }

void TFormJsonEditor::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

void TFormJsonEditor::FormResize() {
    const auto lefts = CentredButtonLefts(Panel2->width(), ButtonOK->width());
    ButtonOK->move(lefts.ok, ButtonOK->y());
    ButtonCancel->move(lefts.cancel, ButtonCancel->y());
}

bool TFormJsonEditor::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == SynEdit1 || watched == SynEdit1->viewport()) && event->type() == QEvent::KeyPress)
        SynEdit1KeyDown();
    return QDialog::eventFilter(watched, event);
}

void TFormJsonEditor::SynEdit1KeyDown() { TextChanged = true; }

void TFormJsonEditor::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TFormJsonEditor::FormClose() {
    SaveFormState(this);
    if (IniFile) {
        IniFile->WriteInteger(kSection, "Page", PageControl1->currentIndex());
        IniFile->WriteInteger(kSection, "PanelDevices", panelDevicesWidth_);
        IniFile->WriteInteger(kSection, "PanelMqttObj", panelMqttObjWidth_);
    }
    JsonRoot->Clear();
}

std::string TFormJsonEditor::EditorText() const {
    const long length = SynEdit1->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    if (length <= 0) return {};
    const char* text = static_cast<const char*>(
        SynEdit1->SendScintillaPtrResult(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    return std::string(text, std::size_t(length));
}

void TFormJsonEditor::SetEditorText(std::string_view utf8) {
    SynEdit1->SendScintilla(QsciScintillaBase::SCI_CLEARALL);
    if (!utf8.empty())
        SynEdit1->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, static_cast<uintptr_t>(utf8.size()),
                                utf8.data());
    SynEdit1->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    SynEdit1->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, 0UL);
}

void TFormJsonEditor::ClearErrorMark() {
    SynEdit1->markerDeleteAll(kErrorMarker);
    SynEdit1->markerDeleteAll(kErrorLineMarker);
    errorLine_ = -1;
}

void TFormJsonEditor::MarkReadError(std::string_view fileBytes, std::string_view message) {
    std::size_t fileOffset = 0;
    if (!ReportedOffset(message, fileOffset)) return;
    const std::size_t pos = TTextFileCodec::TextOffset(fileBytes, format_, fileOffset);
    SynEdit1->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(pos));
    errorLine_ = int(
        SynEdit1->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos)));
    SynEdit1->markerAdd(errorLine_, kErrorMarker);
    SynEdit1->markerAdd(errorLine_, kErrorLineMarker);
}

void TFormJsonEditor::LoadDocument() {
    MainData.Reset();
    BuildingData.Reset();
    if (!fs1251::FileExists(FilePath)) {
        ShowErrorMessage(this, std::string("Нет файла: "_w) + FilePath, "Ошибка"_w);
        return;
    }
    std::string bytes, error;
    if (!fs1251::ReadWholeFile(FilePath, bytes, error)) {
        ShowErrorMessage(this, error, "Ошибка"_w);
        return;
    }
    ClearErrorMark();
    const std::string text = TTextFileCodec::Decode(bytes, format_);
    SetEditorText(text);
    switch (format_.lineBreak) {
        case TTextFileCodec::LineBreak::LF:
            SynEdit1->setEolMode(QsciScintilla::EolUnix);
            break;
        case TTextFileCodec::LineBreak::CR:
            SynEdit1->setEolMode(QsciScintilla::EolMac);
            break;
        case TTextFileCodec::LineBreak::CRLF:
            SynEdit1->setEolMode(QsciScintilla::EolWindows);
            break;
    }
    TextChanged = false;

    // Opening another file must not add its blocks to those of the first.
    Blocks.Clear();
    try {
        ReadConfigurationDocument(FilePath, *JsonRoot, Blocks);
    } catch (const std::exception& e) {
        ShowErrorMessage(this, "Ошибка чтения json файла..."_w, "Ошибка"_w);
        MarkReadError(bytes, e.what());
        return;
    }
    FillServerAndHttpPages();
    FillBuildingPage();
    FillBlockList();
}

void TFormJsonEditor::FillServerAndHttpPages() {
    EditIP->setText(ToQString(MainData.host));
    EditPort->setText(QString::number(MainData.port));
    EditLogin->setText(ToQString(MainData.username));
    EditPassword->setText(ToQString(MainData.password));
    ComboBoxQoS->setCurrentIndex(MainData.qos < ComboBoxQoS->count() ? int(MainData.qos) : -1);
    CheckBoxRetain->setChecked(MainData.retain);
    CheckBoxAddTimestamp->setChecked(MainData.addTimestamp);
    CheckBoxBuffering->setChecked(MainData.buffering);
    EditWillTopic->setText(ToQString(MainData.willTopic));
    EditWillMessage->setText(ToQString(MainData.willMessage));
    EditLoginHttp->setText(ToQString(MainData.httpLogin));
    EditPasswordHttp->setText(ToQString(MainData.httpPassword));
}

void TFormJsonEditor::FillBuildingPage() {
    EditBuildingId->setText(ToQString(BuildingData.id));
    EditBuildingType->setText(ToQString(BuildingData.connectionType));
    EditBuildingIp->setText(ToQString(BuildingData.ip));
    EditBuildingPort->setText(QString::number(BuildingData.port));
    EditBuildingSerial->setText(ToQString(BuildingData.serial));
}

QString TFormJsonEditor::StartFolder() const {
    return Controller ? QString::fromStdString(fs1251::NativePath(Controller->Path)) : QString();
}

bool TFormJsonEditor::WriteText(const std::string& path) {
    const std::string bytes = TTextFileCodec::Encode(EditorText(), format_);
    std::string error;
    if (!fs1251::WriteFileAtomic(path, bytes, error)) {
        ShowErrorMessage(this, error, "Ошибка"_w);
        return false;
    }
    return true;
}

void TFormJsonEditor::mOpenClick() {
    QFileDialog dialog(this, QString(), StartFolder(), U("Файлы JSON (*.json)"));
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (NativeDialogsUnusable()) dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    FilePath = fs1251::ModelPath(dialog.selectedFiles().first().toStdString());
    LoadDocument();
}

void TFormJsonEditor::mSaveClick() { WriteText(FilePath); }

void TFormJsonEditor::mSaveAsClick() {
    QFileDialog dialog(this, QString(), StartFolder(), U("Файлы JSON (*.json)"));
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("json"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (NativeDialogsUnusable()) dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (!FilePath.empty()) dialog.selectFile(QString::fromStdString(fs1251::NativePath(FilePath)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    FilePath = fs1251::ModelPath(dialog.selectedFiles().first().toStdString());
    WriteText(FilePath);
}

void TFormJsonEditor::ButtonOKClick() {
    if (TextChanged && AskConfirmation(this, "Сохранить изменения JSON файла ?"_w, FilePath)) {
        // A failed write keeps the window open, so the typed text is not lost.
        if (!WriteText(FilePath)) return;
    }
    accept();
}

void TFormJsonEditor::mCloseClick() { reject(); }

// ---- blocks page ----

void TFormJsonEditor::FillBlockList() {
    ListBoxDevices->clear();
    for (int i = 0; i < Blocks.Count(); ++i) ListBoxDevices->addItem(ToQString(Blocks.Get(i)->DisplayName()));
}

void TFormJsonEditor::HideBlockPanels() {
    PanelUU->hide();
    PanelZoren->hide();
    PanelVelt->hide();
}

DEVICE* TFormJsonEditor::SelectedBlock() const {
    const int row = ListBoxDevices->currentRow();
    if (row < 0 || row >= Blocks.Count()) return nullptr;
    return Blocks.Get(row);
}

MQT_OBJ* TFormJsonEditor::SelectedObject() const {
    DEVICE* block = SelectedBlock();
    if (!block) return nullptr;
    const int row = ListBoxMqttObj->currentRow();
    if (row < 0) return nullptr;
    return block->topics.Get(row);
}

void TFormJsonEditor::ListBoxDevicesClick() {
    HideBlockPanels();
    ListBoxMqttObj->clear();
    ListBoxInternalParams->clear();
    DEVICE* block = SelectedBlock();
    if (!block) return;
    LabelInternalParams->setText(ToQString(std::string("Параметры блока "_w) + block->DisplayName()));
    TParamList params;
    block->FillParamList(params);
    for (const auto& line : params) {
        auto* item = new QListWidgetItem(ToQString(line.Text), ListBoxInternalParams);
        item->setData(Qt::UserRole, line.Tag);
    }
    for (int i = 0; i < block->topics.Count(); ++i)
        ListBoxMqttObj->addItem(ToQString(block->topics.Get(i)->DisplayName()));
}

void TFormJsonEditor::ListBoxMqttObjClick() {
    ListBoxInternalParams->clearSelection();
    DEVICE* block = SelectedBlock();
    MQT_OBJ* object = SelectedObject();
    if (!block || !object) return;
    const int kind = object->KindCode();
    HideBlockPanels();
    if (kind == 1) {
        Updating = true;
        for (QCheckBox* box :
             {CheckBoxMqtCNN, CheckBoxMqtPVD, CheckBoxMqtLVL, CheckBoxMqtBTR, CheckBoxMqtALR})
            box->setChecked(object->topics.Contains(CodeOfTag(box->property("tag").toInt())));
        Updating = false;
        PanelZoren->show();
        PanelZoren->raise();
        return;
    }
    const bool temperature = kind == 6 && object->topics.Contains("TMP");
    const bool loopObject = kind == 5 || kind == 7 || kind == 8 || kind == 9 || (kind == 6 && !temperature);
    if (!loopObject || block->kind != 1) return;
    auto* velt = static_cast<DEVICE_VELT*>(block);
    const TOPIC* stt = object->topics.Find("STT");
    Updating = true;
    const int loop = (stt && stt->r >= 1 && stt->r <= 8) ? stt->r - 1 : -1;
    RadioGroupShVeltSh->SetItemIndex(loop);
    RadioGroupShVeltShType->SetItemIndex(loop < 0 ? -1 : velt->loopType[loop]);
    Updating = false;
    PanelVelt->show();
}

void TFormJsonEditor::CheckBoxMqtCNNClick(QCheckBox* sender) {
    if (Updating || !sender) return;
    DEVICE* block = SelectedBlock();
    MQT_OBJ* object = SelectedObject();
    if (!block || !object || object->KindCode() != 1) return;
    const int tag = sender->property("tag").toInt();
    const char* code = CodeOfTag(tag);
    if (!code) return;
    if (sender->isChecked())
        object->topics.Set(code, tag, -1);
    else
        object->topics.Remove(code);
}

void TFormJsonEditor::RadioGroupShVeltShClick() {
    if (Updating) return;
    DEVICE* block = SelectedBlock();
    if (!block || block->kind != 1) return;
    MQT_OBJ* object = SelectedObject();
    const int loop = RadioGroupShVeltSh->ItemIndex();
    if (!object || loop < 0) return;
    Updating = true;
    object->topics.Set("STT", loop + 1, -1);
    RadioGroupShVeltShType->SetItemIndex(static_cast<DEVICE_VELT*>(block)->loopType[loop]);
    Updating = false;
}

void TFormJsonEditor::RadioGroupShVeltShTypeClick() {
    if (Updating) return;
    DEVICE* block = SelectedBlock();
    if (!block || block->kind != 1) return;
    MQT_OBJ* object = SelectedObject();
    const int setting = RadioGroupShVeltShType->ItemIndex();
    if (!object || setting < 0) return;
    const TOPIC* stt = object->topics.Find("STT");
    if (!stt || stt->r < 1 || stt->r > 8) return;
    static_cast<DEVICE_VELT*>(block)->loopType[stt->r - 1] = static_cast<std::int8_t>(setting);
}

void TFormJsonEditor::ListBoxInternalParamsClick() {}

void TFormJsonEditor::ListBoxInternalParamsDblClick() {}

void TFormJsonEditor::pmDevAddClick() {
    TFormAddDev dialog(this);
    FormAddDev = &dialog;
    if (dialog.exec() == QDialog::Accepted) {
        // The chosen kind is taken; adding a block of it is not part of this tool.
        switch (dialog.RadioGroupType->ItemIndex()) {
            case 0:
            case 1:
            case 2:
            default:
                break;
        }
    }
    FormAddDev = nullptr;
}
