#include "update/TFormAbout.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <string>

#include "dialogs/WindowText.h"
#include "platform/FileSystem.h"
#include "platform/FileVersion.h"
#include "update/UpdatePictures.h"

TFormAbout* FormAbout = nullptr;

namespace {
constexpr std::string_view kCopyright = "Copyright © 2019-2026 ЗОРЕН"_w;
constexpr std::string_view kWebAddress = "http://www.zoren.ru"_w;
}  // namespace

TFormAbout::TFormAbout(QWidget* owner) : TFormAbout(owner, fs1251::ProgramFilePath()) {}

TFormAbout::TFormAbout(QWidget* owner, std::string_view programFile)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(ToQString("О программе"_w));
    setFont(TahomaFont(13));
    setFixedSize(438, 213);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Panel1->setGeometry(8, 8, 422, 161);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(8, 16, 128, 128);
    ProgramIcon->setPixmap(DrawProgramPicture(128));

    auto label = [this](const char* name, int top, int height) {
        auto* l = new QLabel(Panel1);
        l->setObjectName(QString::fromLatin1(name));
        l->setTextFormat(Qt::PlainText);
        l->setGeometry(148, top, 264, height);
        return l;
    };
    ProductName = label("ProductName", 16, 36);
    ProductName->setWordWrap(true);
    QFont bold = TahomaFont(13);
    bold.setBold(true);
    ProductName->setFont(bold);
    ProductName->setText(ToQString("Конфигуратор ЗОРЕН-RF в режиме MQTT"_w));
    LabelVersion = label("LabelVersion", 58, 16);
    LabelVersion->setText(ToQString("Версия"_w));
    Copyright = label("Copyright", 82, 16);
    Copyright->setText(ToQString(kCopyright));
    Comments = label("Comments", 106, 40);
    Comments->setWordWrap(true);
    Comments->setText(ToQString(kWebAddress));
    Comments->setTextInteractionFlags(Qt::TextSelectableByMouse);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(181, 178, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    std::uint16_t major = 0, minor = 0, release = 0, build = 0;
    if (ReadFileVersion(programFile, major, minor, release, build))
        LabelVersion->setText(ToQString(std::string("Версия "_w) + std::to_string(major) + "." +
                                        std::to_string(minor) + "." + std::to_string(release)));
}
