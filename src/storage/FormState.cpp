#include "storage/FormState.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTreeWidget>
#include <QWidget>
#include <QWindow>
#include <vector>

#include "dialogs/WindowText.h"
#include "storage/AppSettings.h"
#include "storage/WindowState.h"

namespace {

// Frame sizes (outer minus client) seen last on a mapped window; a window that
// has not been mapped yet does not know its own, so it borrows these.
QSize lastFrameExtra;

QSize FrameExtra(const QWidget* form) {
    QSize extra = form->frameGeometry().size() - form->geometry().size();
    if (!extra.isEmpty()) lastFrameExtra = extra;
    return extra;
}

// Corrects the client size once the window manager has told the real frame,
// so that the outer size comes back as it was stored.
class TFrameFixer final : public QObject {
public:
    TFrameFixer(QWidget* form, QSize outer) : QObject(form), form_(form), outer_(outer) {
        setObjectName(QStringLiteral("FrameFixer"));
        form->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == form_ && form_->isVisible() &&
            (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
             event->type() == QEvent::Expose || event->type() == QEvent::WindowActivate)) {
            QSize extra = form_->frameGeometry().size() - form_->geometry().size();
            if (!extra.isEmpty()) {
                lastFrameExtra = extra;
                QSize client = outer_ - extra;
                form_->removeEventFilter(this);
                deleteLater();
                if (client != form_->size()) form_->resize(client);
            }
        }
        return false;
    }

private:
    QWidget* form_;
    QSize outer_;
};

std::string SectionOf(const QObject* object) { return FromQString(object->objectName()); }

TDesktopRect Desktop() {
    std::vector<TDesktopRect> monitors;
    for (const QScreen* screen : QGuiApplication::screens()) {
        QRect g = screen->geometry();
        monitors.push_back({g.left(), g.top(), g.left() + g.width(), g.top() + g.height()});
    }
    return DesktopRect(monitors);
}

void MoveFrameTo(QWidget* form, QPoint framePos) {
    // A created window would take a move as the client position; ask for the frame's.
    if (form->testAttribute(Qt::WA_WState_Created) && form->windowHandle())
        form->windowHandle()->setFramePosition(framePos);
    else
        form->move(framePos);
}

}  // namespace

void SaveFormState(QWidget* form) {
    if (!form || !IniFile) return;
    if (auto* fixer = form->findChild<TFrameFixer*>(QStringLiteral("FrameFixer"), Qt::FindDirectChildrenOnly))
        delete fixer;
    QRect outer = form->frameGeometry();
    FrameExtra(form);
    TFormBounds bounds{outer.x(), outer.y(), outer.width(), outer.height()};
    IniFile->WriteFormBounds(SectionOf(form), bounds);
}

void RestoreFormState(QWidget* form) {
    if (!form || !IniFile) return;
    QSize extra = FrameExtra(form);
    bool mapped = !extra.isEmpty();
    if (!mapped) extra = lastFrameExtra;
    QRect outer = form->frameGeometry();
    TFormBounds bounds{outer.x(), outer.y(), form->width() + extra.width(), form->height() + extra.height()};
    const TFormBounds before = bounds;
    bool found = IniFile->ReadFormBounds(SectionOf(form), bounds);
    ClampToDesktop(bounds, Desktop());
    if (found || bounds.Left != before.Left || bounds.Top != before.Top)
        MoveFrameTo(form, {bounds.Left, bounds.Top});
    if (!found) return;
    QSize wanted(bounds.Width, bounds.Height);
    form->resize((wanted - extra).expandedTo(QSize(1, 1)));
    if (!mapped) new TFrameFixer(form, wanted);
}

void ReadColumns(std::string_view section, QTreeWidget* list) {
    if (!list || !IniFile) return;
    std::vector<int> widths;
    for (int i = 0; i < list->columnCount(); ++i) widths.push_back(list->columnWidth(i));
    IniFile->ReadColumns(section, SectionOf(list), widths);
    for (int i = 0; i < list->columnCount() && i < int(widths.size()); ++i)
        list->setColumnWidth(i, widths[i]);
}

void WriteColumns(std::string_view section, QTreeWidget* list) {
    if (!list || !IniFile) return;
    std::vector<int> widths;
    for (int i = 0; i < list->columnCount(); ++i) widths.push_back(list->columnWidth(i));
    IniFile->WriteColumns(section, SectionOf(list), widths);
}
