#include "controls/OrvWindow.h"

#include "controls/HelpViewer.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/OrvMessages.h"
#include "support/OrvErrors.h"

#include <QtGui/QAction>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

// Outside any namespace: the macro declares the resource initialiser at global scope.
static void LoadControlPictures() { Q_INIT_RESOURCE(OrvControls); }

namespace {
constexpr int kBarButtonWidth = 110;
constexpr int kBarButtonHeight = 34;
constexpr int kBarButtonGap = 2;

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

QFrame* NewPanel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::NoFrame);
    return panel;
}

TBodyAndBar NewBodyAndBar(QWidget* window, int barHeight) {
    const auto panel = [window](const char* name) {
        QFrame* p = NewPanel(window, name);
        p->setFont(ArialPixels(13));
        return p;
    };
    QFrame* body = panel("pnlBody");
    body->setContentsMargins(4, 4, 4, 4);
    body->setAutoFillBackground(true);
    QPalette bodyColour = body->palette();
    bodyColour.setColor(QPalette::Window, QColor(192, 228, 240));
    body->setPalette(bodyColour);

    QFrame* bar = panel("pnlOkCancel");
    bar->setFixedHeight(barHeight);

    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(body, 1);
    layout->addWidget(bar);
    return {body, bar};
}

TOrvWindow* OwningWindow(const QWidget* control) {
    for (QWidget* parent = control->parentWidget(); parent; parent = parent->parentWidget())
        if (auto* window = qobject_cast<TOrvWindow*>(parent)) return window;
    return nullptr;
}

TOrvButton* NewBarButton(QWidget* bar, const char* name, QAction* action) {
    auto* button = new TOrvButton(bar);
    button->setObjectName(QLatin1String(name));
    button->SetCaption(action->text());
    button->resize(kBarButtonWidth, kBarButtonHeight);
    StyleAsPictureButton(button);
    BindButtonToAction(button, action);
    return button;
}

void CentreBarButtons(const QWidget* bar, const QList<TOrvButton*>& buttons) {
    QList<TOrvButton*> shown;
    int total = 0;
    for (TOrvButton* button : buttons)
        if (!button->isHidden()) {
            total += (shown.isEmpty() ? 0 : kBarButtonGap) + button->width();
            shown.append(button);
        }
    int left = bar->width() / 2 + bar->x() - total / 2;
    for (TOrvButton* button : shown) {
        button->move(left, (bar->height() - button->height()) / 2);
        left += button->width() + kBarButtonGap;
    }
}

TOrvWindow::TOrvWindow(QWidget* owner)
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
        TOrvWindow* target = this;
        if (QWidget* focus = QApplication::focusWidget(); focus && isAncestorOf(focus)) target = OwningWindow(focus);
        target->acHelpExecute();
    });

    imgButton = ButtonPicture(this, "imgButton", QStringLiteral(":/controls/button.png"));
    imgButtonHover = ButtonPicture(this, "imgButtonHover", QStringLiteral(":/controls/button_hover.png"));

    qApp->installEventFilter(this);
}

void TOrvWindow::Initialize() { FInitialized = true; }

void TOrvWindow::setVisible(bool visible) {
    // The toolkit calls this from its own functions (show, open, a state change), so an error may not
    // leave it: the refusal goes to the default error handler and the window stays hidden.
    GuardUiAction([&] {
        if (visible && isWindow() && !FInitialized) throw NotInitialized();
        QDialog::setVisible(visible);
    });
}

int TOrvWindow::exec() {
    // Only the program calls exec, so the refusal reaches the code that wanted to show the window.
    if (isWindow() && !FInitialized) throw NotInitialized();
    return RunModal([this] { return QDialog::exec(); });
}

void TOrvWindow::reject() {
    // Escape in an embedded window reaches this window first; it closes the window it sits in.
    if (!isWindow()) {
        window()->close();
        return;
    }
    done(mrCancelled);
}

void TOrvWindow::FixControls() {
    const QPixmap hoverPicture = imgButtonHover->pixmap();
    for (QWidget* control : findChildren<QWidget*>()) {
        if (OwningWindow(control) != this) continue;
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

void TOrvWindow::ShowAccelerators() { TOrvButton::ShowButtonAccelerators(this, true); }

void TOrvWindow::HideAccelerators() { TOrvButton::ShowButtonAccelerators(this, false); }

void TOrvWindow::showEvent(QShowEvent* event) {
    // The dialog's own show handling centres a window on its owner; an embedded window stays where its
    // host's layout puts it.
    if (isWindow())
        QDialog::showEvent(event);
    else
        QWidget::showEvent(event);
    FixControls();
}

bool TOrvWindow::eventFilter(QObject* watched, QEvent* event) {
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

void TOrvWindow::acHelpExecute() {
    int topic = HelpContext();
    if (topic == 0 && !isWindow() && parentWidget()) topic = parentWidget()->property("HelpContext").toInt();
    ShowHelpTopic(topic);
}

QString TOrvWindow::ClassName() const { return QString::fromLatin1(metaObject()->className()); }
