#include "app/About.h"

#include "app/AppFiles.h"
#include "lang/Languages.h"
#include "platform/base/Format.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/QtText.h"
#include "platform/ui/Shell.h"
#include "project/BuildInfo.h"
#include "ui_About.h"

#include <QFont>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace {

constexpr int kProductNamePixels = 13;

}  // namespace

std::string VersionText(int major, int minor, const win::TDate& date) {
    return Format("%d.%02i (%d. %d. %d.)", {major, minor, date.Year, date.Month, date.Day});
}

TAboutBox::TAboutBox(QWidget* owner) : TForm(owner), ui_(std::make_unique<Ui::AboutBox>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    QFont productFont = ui_->ProductName->font();
    productFont.setPixelSize(kProductNamePixels);
    productFont.setBold(true);
    ui_->ProductName->setFont(productFont);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    BindModalResult(*ui_->OKButton, mrOk);
    OnClick(*ui_->Label1, this, [this] { wwwClick(*ui_->Label1); });
    OnClick(*ui_->Label3, this, [this] { mailClick(*ui_->Label3); });
    OnClick(*ui_->Label8, this, [this] { wwwClick(*ui_->Label8); });

    LanguageList->TranslateForm(*this);

    if (const auto date = FileDate(AppExecutable())) {
        const TBuildVersion version = BuildVersion();
        ui_->Version->setText(ToQString(VersionText(version.Major, version.Minor, *date)));
    }
    const QImage picture = LoadProgramPicture();
    if (!picture.isNull()) ui_->ProgramIcon->setPixmap(QPixmap::fromImage(picture));

    ui_->OKButton->setFocus();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

TAboutBox::~TAboutBox() = default;

std::string TAboutBox::RtfProductLine() const {
    return "\\sb144\\f4\\fs16 " + FromQString(ui_->ProductName->text()) + " " + FromQString(ui_->Version->text()) + " " +
           FromQString(ui_->Copyright->text());
}

void TAboutBox::wwwClick(const QLabel& label) {
    ShellOpen(label.text());
}

void TAboutBox::mailClick(const QLabel& label) {
    ShellOpen(QStringLiteral("mailto:") + label.text());
}
