#include "uninstaller/QtDialogs.h"

#include "uninstaller/Pictures.h"
#include "uninstaller/UninstallRun.h"

#include "platform/win/CodePage.h"
#include "platform/win/MessageBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QFont>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

namespace {

// Dialog units of the 8-point dialog font in pixels: 4 horizontal units are
// one average character (6 px), 8 vertical units one line (13 px).
int dluX(int units) { return static_cast<int>(std::lround(units * 6.0 / 4.0)); }
int dluY(int units) { return static_cast<int>(std::lround(units * 13.0 / 8.0)); }
QRect dluRect(int x, int y, int w, int h) { return {dluX(x), dluY(y), dluX(w), dluY(h)}; }

void setWhite(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* staticText(QWidget* parent, const char* name, const QString& text, QRect where) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(where);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel* iconControl(QWidget* parent, const char* name, const QPixmap& pixmap, QRect where) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(where);
    label->setPixmap(pixmap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A Yes/No box has no Cancel: Escape and the window's close button must not
// answer it (a "No" may delete what can't be got back).
class NoDismissFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) return true;
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

QString toQString(const ByteString& text) {
    const std::string utf8 = win::ToUtf8(win::CodePage::Cp1250, text.view());
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Progress dialog (resource 102): modeless, stays for the whole run.
class ProgressDialog : public QDialog {
public:
    explicit ProgressDialog(QtDialogs& owner) : owner_(owner) {
        setObjectName("ProgressDialog");
        setWindowTitle(kCaption);
        setWindowIcon(QIcon(programIcon(32)));
        setFixedSize(dluX(334), dluY(218));

        auto* picture = new QLabel(this);
        picture->setObjectName("SideBitmap");
        picture->setGeometry(dluRect(0, 0, 111, 186));
        picture->setPixmap(sideBitmap(picture->size()));
        picture->setAlignment(Qt::AlignCenter);

        auto* area = new QFrame(this);
        area->setGeometry(dluRect(110, 0, 223, 185));
        setWhite(area);
        area->lower();
        picture->raise();

        const int iconSide = dluY(20) < dluX(20) ? dluY(20) : dluX(20);
        iconControl(this, "ProgramIcon", programIcon(iconSide), dluRect(132, 13, 20, 20));
        title_ = staticText(this, "Title", QString(), dluRect(164, 15, 162, 16));
        staticText(this, "SharedLine", "Removing shared files", dluRect(164, 48, 132, 9));
        staticText(this, "BackupLine", "Restoring backup files", dluRect(164, 64, 132, 9));
        staticText(this, "FilesLine", "Removing standard files", dluRect(164, 81, 132, 9));
        staticText(this, "DirectoriesLine", "Removing directories", dluRect(164, 97, 132, 9));
        staticText(this, "RegistryLine", "Removing registry entries", dluRect(164, 113, 132, 9));
        const QPixmap mark = stepMarkIcon(iconSide);
        const struct {
            int id;
            int y;
        } marks[] = {{kMarkShared, 43}, {kMarkBackups, 60}, {kMarkFiles, 76}, {kMarkDirectories, 92},
                     {kMarkRegistry, 109}};
        for (const auto& m : marks) {
            QLabel* label = iconControl(this, "", mark, dluRect(132, m.y, 20, 20));
            label->setObjectName(QString("StepMark%1").arg(m.id));
            label->hide();
            marks_[m.id] = label;
        }
        status_ = staticText(this, "Status", QString(), dluRect(132, 155, 192, 17));
        QFont bold = status_->font();
        bold.setWeight(QFont::Bold);
        status_->setFont(bold);

        auto* line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(dluRect(0, 185, 334, 1));

        details_ = new QPushButton("Details...", this);
        details_->setObjectName("DetailsButton");
        details_->setGeometry(dluRect(206, 196, 50, 14));
        details_->setEnabled(false);
        details_->hide();
        close_ = new QPushButton("Close", this);
        close_->setObjectName("CloseButton");
        close_->setGeometry(dluRect(278, 196, 50, 14));
        close_->setEnabled(false);
        close_->setDefault(true);
        QObject::connect(details_, &QPushButton::clicked, this, [this] { runDetailsDialog(this, detailsText_); });
        QObject::connect(close_, &QPushButton::clicked, this, [this] { requestClose(); });
    }

    void setTitle(const ByteString& title) { title_->setText(toQString(title)); }
    void showMark(int id) {
        const auto it = marks_.find(id);
        if (it != marks_.end()) it->second->show();
    }
    void showEndState(const ByteString& status, const ByteString& details) {
        status_->setText(toQString(status));
        detailsText_ = details;
        if (!details.empty()) {
            details_->setEnabled(true);
            details_->show();
        }
        close_->setEnabled(true);
        close_->setDefault(true);
        close_->setFocus();
        endState_ = true;
    }
    // The close box and the Close button, once the run is done.
    void requestClose() {
        if (!endState_ || closing_) return;
        closing_ = true;
        owner_.closeProgress();
    }

protected:
    // Until the end state the close box does nothing (Close is disabled then too).
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        requestClose();
    }
    // Escape is no command of this dialog.
    void reject() override {}

private:
    QtDialogs& owner_;
    QLabel* title_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* details_ = nullptr;
    QPushButton* close_ = nullptr;
    std::map<int, QLabel*> marks_;
    ByteString detailsText_;
    bool endState_ = false;
    bool closing_ = false;
};

namespace {

// Shared-file question (resource 105): only its four buttons end it.
class SharedFileDialog : public QDialog {
public:
    SharedFileDialog(QWidget* owner, const ByteString& path) : QDialog(owner) {
        setObjectName("SharedFileDialog");
        setWindowTitle("Remove shared file");
        setFixedSize(dluX(232), dluY(68));
        staticText(this, "Question", toQString(sharedFileQuestion(path)), dluRect(7, 7, 218, 28));
        const struct {
            const char* name;
            const char* text;
            int id;
            int x;
        } buttons[] = {{"YesToAllButton", "Yes to all", kSharedYesToAll, 7},
                       {"YesButton", "Yes", kSharedYes, 63},
                       {"NoButton", "No", kSharedNo, 119},
                       {"NoToAllButton", "No to all", kSharedNoToAll, 175}};
        for (const auto& b : buttons) {
            auto* button = new QPushButton(b.text, this);
            button->setObjectName(b.name);
            button->setGeometry(dluRect(b.x, 47, 50, 14));
            const int id = b.id;
            QObject::connect(button, &QPushButton::clicked, this, [this, id] { done(id); });
            if (id == kSharedYes) {
                button->setDefault(true);
                button->setFocus();
            }
        }
    }

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
    void reject() override {}
};

// Details dialog (resource 103).
class DetailsDialog : public QDialog {
public:
    DetailsDialog(QWidget* owner, const ByteString& text) : QDialog(owner) {
        setObjectName("DetailsDialog");
        setWindowTitle("Details");
        setFixedSize(dluX(258), dluY(159));
        auto* edit = new QPlainTextEdit(this);
        edit->setObjectName("DetailsText");
        edit->setGeometry(dluRect(3, 4, 250, 130));
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit->setPlainText(toQString(text).replace("\r\n", "\n"));
        edit->setReadOnly(true);
        auto* close = new QPushButton("Close", this);
        close->setObjectName("CloseButton");
        close->setGeometry(dluRect(103, 140, 50, 14));
        close->setDefault(true);
        close->setAutoDefault(true);
        close->setFocus();
        QObject::connect(close, &QPushButton::clicked, this, [this] { done(1); });
    }

protected:
    // Close, Enter and the close box end it; Escape is no command of this dialog.
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        done(1);
    }
    void reject() override {}
};

}  // namespace

int runSharedFileDialog(QWidget* owner, const ByteString& path) {
    SharedFileDialog dialog(owner, path);
    return dialog.exec();
}

void runDetailsDialog(QWidget* owner, const ByteString& text) {
    DetailsDialog dialog(owner, text);
    (void)dialog.exec();
}

QtDialogs::QtDialogs() = default;
QtDialogs::~QtDialogs() = default;

QDialog* QtDialogs::progress() const { return progress_.get(); }

int QtDialogs::messageBox(const ByteString& text, unsigned flags, bool ownedByProgress) {
    QMessageBox box(ownedByProgress ? progress_.get() : nullptr);
    box.setWindowTitle(kCaption);
    box.setText(toQString(text));
    switch (flags & win::MB_ICONMASK) {
        case win::MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
        case win::MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
        case win::MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
        case win::MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
    }
    if ((flags & win::MB_TYPEMASK) == win::MB_YESNO) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        NoDismissFilter filter;
        box.installEventFilter(&filter);
        return box.exec() == QMessageBox::Yes ? win::IDYES : win::IDNO;
    }
    box.setStandardButtons(QMessageBox::Ok);
    (void)box.exec();
    return win::IDOK;
}

void QtDialogs::createProgress(const ByteString& title) {
    progress_ = std::make_unique<ProgressDialog>(*this);
    progress_->setTitle(title);
    progress_->show();
}

void QtDialogs::showStepMark(int id) {
    if (progress_) progress_->showMark(id);
}

bool QtDialogs::pumpMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return quitTaken_;
}

int QtDialogs::askSharedFile(const ByteString& path) { return runSharedFileDialog(progress_.get(), path); }

void QtDialogs::showEndState(const ByteString& status, const ByteString& details) {
    if (progress_) progress_->showEndState(status, details);
}

int QtDialogs::runMessageLoop(const std::function<void()>& onClose) {
    onClose_ = onClose;
    if (!quitTaken_ && progress_) {
        QEventLoop loop;
        loop_ = &loop;
        (void)loop.exec();
        loop_ = nullptr;
    }
    onClose_ = nullptr;
    return quitTaken_ ? quitValue_ : 1;
}

void QtDialogs::closeProgress() {
    if (onClose_) onClose_();
    if (progress_) progress_->hide();
    // Kept even when no loop runs yet, so the final loop never waits for it.
    quitTaken_ = true;
    quitValue_ = 1;
    if (loop_) loop_->exit(1);
}

namespace {

// Qt's messages while the application object is built, shown once it stands.
std::vector<std::pair<QtMsgType, QString>>& startupMessages() {
    static std::vector<std::pair<QtMsgType, QString>> messages;
    return messages;
}

// Without a usable window system (no display, an unknown or broken platform
// plugin) Qt gives up with a fatal message and aborts. Nothing has been read or
// changed yet: one line saying what to do instead, and the exit code of a run
// that stopped before removing anything.
void startupMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs(kNoWindowMessage, stderr);
        std::fputc('\n', stderr);
        std::_Exit(kExitStopped);
    }
    startupMessages().emplace_back(type, message);
}

}  // namespace

int runWithQtDialogs(int& argc, char** argv, const ByteString& commandLine, const std::filesystem::path& executable,
                     const std::filesystem::path& dataSource) {
    const QtMessageHandler previous = qInstallMessageHandler(startupMessage);
    QApplication application(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto& [type, message] : std::exchange(startupMessages(), {})) previous(type, QMessageLogContext(), message);
    // The run decides when it ends, not the closing of its last window.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(programIcon(32)));
    QtDialogs dialogs;
    UninstallRun run(dialogs);
    return run.run(commandLine, executable, dataSource);
}
