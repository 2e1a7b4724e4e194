#include "forms/fBaseForm.h"

#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/OrvMessages.h"
#include "forms/HelpViewer.h"
#include "forms/fBaseChild.h"
#include "support/OrvErrors.h"

#include <QSignalBlocker>
#include <QtGui/QAction>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLayout>
#include <QtWidgets/QVBoxLayout>

// Outside any namespace: the macro declares the resource initialiser at global scope.
static void LoadControlPictures() { Q_INIT_RESOURCE(OrvControls); }

QFrame* NewPanel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::NoFrame);
    return panel;
}

TBaseForm* OwningForm(const QWidget* control) {
    for (QWidget* parent = control->parentWidget(); parent; parent = parent->parentWidget())
        if (auto* form = qobject_cast<TBaseForm*>(parent)) return form;
    return nullptr;
}

namespace {

EOrvError NotInitialized() { return EOrvError(QStringLiteral("Het scherm is niet initialized.")); }

QLabel* ButtonPicture(QWidget* window, const char* name, const QString& resource) {
    auto* picture = new QLabel(window);
    picture->setObjectName(QLatin1String(name));
    picture->setGeometry(0, 0, 116, 54);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(resource));
    picture->hide();
    return picture;
}
}

TBaseForm::TBaseForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                         Qt::WindowCloseButtonHint) {
    static const bool picturesLoaded = (LoadControlPictures(), true);
    Q_UNUSED(picturesLoaded);

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(13);
    setFont(arial);

    acHelp = new QAction(QStringLiteral("&Help"), this);
    acHelp->setObjectName(QStringLiteral("acHelp"));
    acHelp->setShortcut(QKeySequence(Qt::Key_F1));
    acHelp->setShortcutContext(Qt::WindowShortcut);
    addAction(acHelp);
    ConnectGuarded(acHelp, &QAction::triggered, this, [this] {
        // F1 belongs to the window that has the focus, which may be embedded in this one.
        TBaseForm* target = this;
        if (QWidget* focus = QApplication::focusWidget(); focus && isAncestorOf(focus)) target = OwningForm(focus);
        target->acHelpExecute();
    });

    imgButton = ButtonPicture(this, "imgButton", QStringLiteral(":/controls/button.png"));
    imgButtonHover = ButtonPicture(this, "imgButtonHover", QStringLiteral(":/controls/button_hover.png"));

    qApp->installEventFilter(this);
}

TBaseForm::~TBaseForm() {
    for (const QPointer<TBaseForm>& child : std::as_const(FChildFormList)) delete child.data();
    FChildFormList.clear();
}

void TBaseForm::Initialize() { FInitialized = true; }

void TBaseForm::setVisible(bool visible) {
    // The toolkit calls this from its own functions (show, open, a state change), so an error may not
    // leave it: the refusal goes to the default error handler and the window stays hidden.
    GuardUiAction([&] {
        if (visible && isWindow() && !FInitialized) throw NotInitialized();
        QDialog::setVisible(visible);
    });
}

int TBaseForm::exec() {
    // Only the program calls exec, so the refusal reaches the code that wanted to show the window.
    if (isWindow() && !FInitialized) throw NotInitialized();
    return RunModal([this] { return QDialog::exec(); });
}

void TBaseForm::reject() {
    // Escape in an embedded window reaches this window first; it closes the window it sits in.
    if (!isWindow()) {
        window()->close();
        return;
    }
    done(mrCancelled);
}

void TBaseForm::FixControls() {
    const QPixmap hoverPicture = imgButtonHover->pixmap();
    for (QWidget* control : findChildren<QWidget*>()) {
        if (OwningForm(control) != this) continue;
        if (auto* button = qobject_cast<TOrvButton*>(control)) {
            button->SetHoverImage(hoverPicture);
            button->SetHoverFontColor(Qt::white);
        } else if (auto* edit = qobject_cast<TOrvEdit*>(control)) {
            edit->SetFocusedColor(Qt::white);
        } else if (auto* grid = qobject_cast<TOrvDBSortGrid*>(control)) {
            QFont gridFont(QStringLiteral("Arial"));
            gridFont.setPointSize(10);
            grid->Grid()->setFont(gridFont);
            grid->SetDefaultRowHeight(21);
        }
    }
}

void TBaseForm::ShowAccelerators() { TOrvButton::ShowButtonAccelerators(this, true); }

void TBaseForm::HideAccelerators() { TOrvButton::ShowButtonAccelerators(this, false); }

TBaseForm* TBaseForm::CreateChildForm(const QMetaObject* childFormClass, QWidget* parentControl) {
    return WithPrefix(ClassName() + QStringLiteral(".CreateChildForm: "), [&] {
        if (!childFormClass) throw EOrvError(QStringLiteral("No ChildFormClass specified"));
        if (!parentControl) throw EOrvError(QStringLiteral("No ParentControl specified"));
        const QString className = QString::fromLatin1(childFormClass->className());
        if (!childFormClass->inherits(&TBaseChild::staticMetaObject))
            throw EOrvError(QStringLiteral("No instance of ") + className + QStringLiteral(" allowed."));
        const QString hostName = parentControl->objectName().toLower();
        if (ChildFormExists(parentControl))
            throw EOrvError(QStringLiteral("WinControl \"") + hostName +
                            QStringLiteral("\" already has a child form assigned."));
        auto* child = qobject_cast<TBaseChild*>(childFormClass->newInstance(Q_ARG(QWidget*, this)));
        if (!child)
            throw EOrvError(className + QStringLiteral(" has no invokable constructor taking the owner window."));
        child->AttachToParent(parentControl);
        FChildFormList.insert(hostName, child);
        return static_cast<TBaseForm*>(child);
    });
}

bool TBaseForm::ChildFormExists(QWidget* parentControl) const {
    return WithPrefix(ClassName() + QStringLiteral(".ChildFormExists: "), [&] {
        if (!parentControl) throw EOrvError(QStringLiteral("No ParentControl specified"));
        return !FChildFormList.value(parentControl->objectName().toLower()).isNull();
    });
}

void TBaseForm::SetCheckboxCheckedWithoutOnClickEvent(TOrvCheckBox* checkBox, bool checked) {
    WithPrefix(ClassName() + QStringLiteral(".SetCheckboxCheckedWithoutOnClickEvent: "), [&] {
        if (!checkBox) throw EOrvError(QStringLiteral("No checkbox specified"));
        const QSignalBlocker noClickHandlers(checkBox);
        checkBox->setChecked(checked);
    });
}

void TBaseForm::showEvent(QShowEvent* event) {
    // The dialog's own show handling centres a window on its owner; an embedded window stays where its
    // host's layout puts it.
    if (isWindow())
        QDialog::showEvent(event);
    else
        QWidget::showEvent(event);
    FixControls();
}

bool TBaseForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    auto* receiver = qobject_cast<QWidget*>(watched);
    if (!receiver || receiver->window() != this) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::KeyPress) {
        const bool altHeld = key->key() == Qt::Key_Alt || key->modifiers().testFlag(Qt::AltModifier);
        if (altHeld && !bAltPressed) {
            bAltPressed = true;
            ShowAccelerators();
        }
    } else if (bAltPressed) {
        bAltPressed = false;
        HideAccelerators();
    }
    return false;
}

void TBaseForm::acHelpExecute() {
    int topic = HelpContext();
    if (topic == 0 && !isWindow() && parentWidget()) topic = parentWidget()->property("HelpContext").toInt();
    ShowHelpTopic(topic);
}

QString TBaseForm::ClassName() const { return QString::fromLatin1(metaObject()->className()); }
