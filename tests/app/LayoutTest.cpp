// Every form of both programs in both languages, as a user sees it: each
// label, check box, radio button and push button shows its whole text, and
// no other control lies over it.

#include "app/ItemModifyFixture.h"

#include "app/About.h"
#include "app/BigChart.h"
#include "app/Main.h"
#include "app/ProgramOptions.h"
#include "app/ProjektData.h"
#include "app/StandardTubes.h"
#include "listheader/ChangeHeader.h"
#include "listheader/Listheaderformat.h"
#include "platform/ui/QtPrinter.h"
#include "project/ProgramOptions.h"
#include "project/Project.h"
#include "report/GotoPage.h"
#include "report/PrintPreview.h"
#include "report/PrinterSetup.h"
#include "report/Printing.h"
#include "report/Report.h"
#include "uninstaller/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

QString TextOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    return {};
}

bool CarriesText(const QWidget& widget) {
    const bool kind = qobject_cast<const QLabel*>(&widget) || qobject_cast<const QCheckBox*>(&widget) ||
                      qobject_cast<const QRadioButton*>(&widget) || qobject_cast<const QPushButton*>(&widget);
    return kind && !TextOf(widget).isEmpty();
}

// The size the control needs to show its text whole.
QSize Needed(const QWidget& widget) {
    if (qobject_cast<const QPushButton*>(&widget)) {
        const QFontMetrics metrics(widget.font());
        QString text = TextOf(widget);
        text.remove(QLatin1Char('&'));
        return {metrics.horizontalAdvance(text) + 4, metrics.height()};
    }
    const auto* label = qobject_cast<const QLabel*>(&widget);
    if (label && label->wordWrap()) return {widget.width(), label->heightForWidth(widget.width())};
    return widget.sizeHint();
}

// Where the text goes inside the control, by its alignment.
QRect TextRect(const QWidget& widget, const QSize& needed) {
    const QSize size = needed.boundedTo(widget.size());
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) alignment = label->alignment();
    if (qobject_cast<const QPushButton*>(&widget)) alignment = Qt::AlignCenter;
    return QStyle::alignedRect(widget.layoutDirection(), alignment, size, widget.geometry());
}

QString Describe(const QWidget& widget) {
    return QStringLiteral("%1 \"%2\" %3x%4")
        .arg(widget.objectName(), TextOf(widget))
        .arg(widget.width())
        .arg(widget.height());
}

// One line per control whose text is cut or covered; the form must be shown.
void CheckTexts(const QWidget& root, const QString& where, QStringList& faults) {
    for (const QWidget* widget : root.findChildren<QWidget*>()) {
        if (!widget->isVisible() || !CarriesText(*widget)) continue;
        const QSize needed = Needed(*widget);
        if (widget->width() < needed.width() || widget->height() < needed.height()) {
            faults << QStringLiteral("%1: %2 needs %3x%4")
                          .arg(where, Describe(*widget))
                          .arg(needed.width())
                          .arg(needed.height());
            continue;
        }
        const QWidget& parent = *widget->parentWidget();
        const QRect text = TextRect(*widget, needed);
        if (!parent.rect().contains(text)) {
            faults << QStringLiteral("%1: %2 runs out of %3").arg(where, Describe(*widget), parent.objectName());
        }
        // Later siblings are drawn over earlier ones.
        const QObjectList& siblings = parent.children();
        for (qsizetype i = siblings.indexOf(widget) + 1; i < siblings.size(); ++i) {
            const auto* other = qobject_cast<const QWidget*>(siblings[i]);
            if (other && other->isVisible() && !other->isWindow() && other->geometry().intersects(text)) {
                faults << QStringLiteral("%1: %2 is covered by %3").arg(where, Describe(*widget), other->objectName());
            }
        }
    }
}

// The form shown off screen with every page of every page control in turn.
QStringList LayoutFaults(QWidget& form, const QString& where) {
    form.setAttribute(Qt::WA_DontShowOnScreen);
    form.show();
    QApplication::sendPostedEvents();
    QStringList faults;
    CheckTexts(form, where, faults);
    for (QTabWidget* pages : form.findChildren<QTabWidget*>()) {
        if (!pages->isVisible()) continue;
        const int current = pages->currentIndex();
        for (int i = 0; i < pages->count(); ++i) {
            if (i == current || !pages->isTabVisible(i)) continue;
            pages->setCurrentIndex(i);
            QApplication::sendPostedEvents();
            CheckTexts(*pages->widget(i), where + QLatin1Char('/') + pages->widget(i)->objectName(), faults);
        }
        pages->setCurrentIndex(current);
    }
    form.hide();
    return faults;
}

// A dialog that runs its own loop: checked once it is up, then closed.
QStringList ModalFaults(const std::function<void()>& run, const QString& where) {
    QStringList faults;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        poll.stop();
        CheckTexts(*dialog, where, faults);
        dialog->done(0);
    });
    poll.start(5);
    run();
    return faults;
}

struct TSelection : IItemSelection {
    int Count() const override { return 0; }
    bool Selected(int) const override { return false; }
};

class LayoutTest : public ItemModifyFixture {
protected:
    // Every form of the program, its faults under `language`.
    QStringList ProgramFaults(const QString& language) {
        QStringList faults;
        TMainForm& main = *MainForm;
        faults << LayoutFaults(main, language + QStringLiteral(" MainForm"));
        AppOptions->ViewMediumData = true;
        for (int geometry = 0; geometry < 4; ++geometry) {
            for (int type = 0; type <= 6; ++type) {
                TItem item = geometry == 3 ? Tank(static_cast<CalcMode>(type)) : Pipe(static_cast<CalcMode>(type));
                item.Geometry = static_cast<GeometryType>(geometry);
                // Air in a duct shows its humidity.
                if (geometry == 1 || geometry == 2) item.Medium.ItemID = "air";
                auto form = Open(item);
                faults << LayoutFaults(*form, QStringLiteral("%1 ItemModifyForm geometry %2 type %3")
                                                  .arg(language).arg(geometry).arg(type));
                if (type == 6) {
                    TBigChartForm big(form.get(), form->Chart());
                    faults << LayoutFaults(big, language + QStringLiteral(" BigChartForm"));
                }
            }
        }
        TStandardTubesForm tubes(&main, 0);
        faults << LayoutFaults(tubes, language + QStringLiteral(" StandardTubesForm"));
        TProject project;
        TProjektDataForm projectData(&main, project);
        faults << LayoutFaults(projectData, language + QStringLiteral(" ProjektDataForm"));
        TProgramOptionsForm options(&main, *AppOptions);
        faults << LayoutFaults(options, language + QStringLiteral(" ProgramOptionsForm"));
        TAboutBox about(&main);
        faults << LayoutFaults(about, language + QStringLiteral(" AboutBox"));
        TPrintingForm printing(&main, project);
        faults << LayoutFaults(printing, language + QStringLiteral(" PrintingForm"));
        TPrinterSetupForm setup(&main, Printer());
        faults << LayoutFaults(setup, language + QStringLiteral(" PrinterSetupForm"));
        TSelection rows;
        TItemReport job(project, rows, true, {20, 20, 15, 20}, TPrintingOptionSet(), "");
        TPrintPreviewForm preview(&main, job);
        faults << LayoutFaults(preview, language + QStringLiteral(" PrintPreviewForm"));
        TGotoPageForm gotoPage(&main, 5, 2);
        faults << LayoutFaults(gotoPage, language + QStringLiteral(" GotoPageForm"));
        TListHeaderFormat format;
        format.ReadTitleText("2\r\n2\r\n10\r\nSll1\r\nName\r\n\r\n8\r\n3.1Fcr4\r\nd\r\nmm\r\n");
        TChangeHeaderForm header(&main, &format, main.font(), "TESTPROG", "");
        header.resize(653, 504);
        faults << LayoutFaults(header, language + QStringLiteral(" ChangeHeaderForm"));
        return faults;
    }
};

}  // namespace

TEST_F(LayoutTest, EveryTextShowsWholeAndUncovered) {
    ShipData();
    ShipPriceList();
    for (const char* language : {"", "English"}) {
        Stop();
        SelectLanguage(language);
        Start();
        const QStringList faults = ProgramFaults(QString::fromLatin1(*language ? language : "Magyar"));
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    }

    QtDialogs dialogs;
    dialogs.createProgress(ByteString("Orbelo Uninstaller - Valdorine"));
    dialogs.showEndState(ByteString("Uninstallation completed."), ByteString("details"));
    QStringList faults = LayoutFaults(*dialogs.progress(), QStringLiteral("ProgressDialog"));
    faults << ModalFaults([] { runSharedFileDialog(nullptr, ByteString("C:\\Windows\\System\\shared.dll")); },
                          QStringLiteral("SharedFileDialog"));
    faults << ModalFaults([] { runDetailsDialog(nullptr, ByteString("C:\\Program Files\\Valdorine")); },
                          QStringLiteral("DetailsDialog"));
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}
