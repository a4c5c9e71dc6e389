// The configuration editor: one controller's mqtt.json as highlighted JSON
// text, saved back as typed, with the hidden structured pages (MQTT server,
// building, blocks, HTTP) filled from the configuration model on loading.
#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <string_view>

#include "config/DEVICE_LIST.h"
#include "editor/TTextFileCodec.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QSplitter;
class QTabWidget;
class QsciScintilla;
class TJSONValue;
class TJsonLexer;
class TRadioGroup;
struct ZOREN_OBJECT;
class DEVICE;
class MQT_OBJ;

class TFormJsonEditor final : public QDialog {
    Q_OBJECT
public:
    TFormJsonEditor(QWidget* owner, ZOREN_OBJECT* controller);
    ~TFormJsonEditor() override;

    // The window's state.
    std::string FilePath;
    ZOREN_OBJECT* Controller;
    std::unique_ptr<TJSONValue> JsonRoot;
    DEVICE_LIST Blocks;
    bool Updating = false;
    bool TextChanged = false;

    // Components.
    QMenuBar* MainMenu1;
    QMenu* mFile;
    QAction* mOpen;
    QAction* mSave;
    QAction* mSaveAs;
    QAction* mClose;
    QTabWidget* PageControl1;
    QWidget* TabSheetJson;
    QWidget* TabSheetServer;
    QWidget* TabSheetBuilding;
    QWidget* TabSheetDevs;
    QWidget* TabSheetHttp;
    QsciScintilla* SynEdit1;
    TJsonLexer* SynMultiSyn1;
    QWidget* Panel2;
    QPushButton* ButtonOK;
    QPushButton* ButtonCancel;

    QLineEdit* EditIP;
    QLineEdit* EditPort;
    QLineEdit* EditLogin;
    QLineEdit* EditPassword;
    QComboBox* ComboBoxQoS;
    QCheckBox* CheckBoxRetain;
    QCheckBox* CheckBoxAddTimestamp;
    QCheckBox* CheckBoxBuffering;
    QLineEdit* EditWillTopic;
    QLineEdit* EditWillMessage;

    QLineEdit* EditBuildingId;
    QLineEdit* EditBuildingType;
    QLineEdit* EditBuildingIp;
    QLineEdit* EditBuildingPort;
    QLineEdit* EditBuildingSerial;

    QLineEdit* EditLoginHttp;
    QLineEdit* EditPasswordHttp;

    // The blocks page.
    QSplitter* sSplitter1;
    QSplitter* sSplitter2;
    QWidget* PanelDevices;
    QListWidget* ListBoxDevices;
    QWidget* PanelMqttObj;
    QListWidget* ListBoxMqttObj;
    QWidget* PanelZoren;
    QCheckBox* CheckBoxMqtCNN;
    QCheckBox* CheckBoxMqtPVD;
    QCheckBox* CheckBoxMqtLVL;
    QCheckBox* CheckBoxMqtBTR;
    QCheckBox* CheckBoxMqtALR;
    QWidget* PanelVelt;
    TRadioGroup* RadioGroupShVeltSh;
    TRadioGroup* RadioGroupShVeltShType;
    QWidget* PanelUU;
    QLabel* LabelInternalParams;
    QListWidget* ListBoxInternalParams;
    QMenu* PopupMenuDev;
    QAction* pmDevAdd;
    QAction* pmDevDel;
    QMenu* PopupMenuTopics;
    QAction* pmTopicAdd;
    QAction* pmTopicDel;
    QAction* pmTopicEdit;

    // Handlers of the window.
    void FormShow();
    void FormClose();
    void FormResize();
    void SynEdit1KeyDown();
    void ButtonOKClick();
    void mOpenClick();
    void mSaveClick();
    void mSaveAsClick();
    void mCloseClick();
    void LoadDocument();
    void FillBlockList();
    void HideBlockPanels();

    // Handlers and helpers of the blocks page.
    void ListBoxDevicesClick();
    void ListBoxMqttObjClick();
    void CheckBoxMqtCNNClick(QCheckBox* sender);
    void RadioGroupShVeltShClick();
    void RadioGroupShVeltShTypeClick();
    void ListBoxInternalParamsClick();
    void ListBoxInternalParamsDblClick();
    void pmDevAddClick();
    DEVICE* SelectedBlock() const;
    MQT_OBJ* SelectedObject() const;

    // The editor text as UTF-8 bytes, and its replacement (no undo history).
    std::string EditorText() const;
    void SetEditorText(std::string_view utf8);
    // The line marked after a read error, -1 when none.
    int ErrorLine() const { return errorLine_; }
    const TTextFileCodec::Format& FileFormat() const { return format_; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildJsonPage();
    void BuildServerPage();
    void BuildBuildingPage();
    void BuildDevicesPage();
    void BuildHttpPage();
    void FillServerAndHttpPages();
    void FillBuildingPage();
    // Writes the editor text to path in the file's encoding, atomically;
    // reports a failure and gives false, the old file staying as it was.
    bool WriteText(const std::string& path);
    void MarkReadError(std::string_view fileBytes, std::string_view message);
    void ClearErrorMark();
    QString StartFolder() const;

    TTextFileCodec::Format format_;
    int errorLine_ = -1;
    int panelDevicesWidth_ = 185;
    int panelMqttObjWidth_ = 185;
    bool loaded_ = false;
};

// The editor window while it exists.
extern TFormJsonEditor* FormJsonEditor;
