// Report text on Qt's own canvas with the installed fonts: every word where
// the tab stops put it, on the printer's pixels and in the PDF a user gets.
#include "app/ItemModifyFixture.h"

#include "platform/ui/QtCanvas.h"
#include "platform/ui/QtPrinter.h"
#include "platform/win/CodePage.h"
#include "project/ClipboardStream.h"
#include "project/ProgramOptions.h"
#include "project/Project.h"
#include "report/PrintingOptions.h"
#include "report/Report.h"
#include "report/ReportTestSupport.h"
#include "report/Rtfprint.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kDpi = 1200;
// The item rows' second label stands at 5040 twips.
constexpr int kLabelStop = 5040 * kDpi / 1440;
// A4 less the default 20 and 15 mm side margins.
constexpr int kWorkWidth = 175 * kDpi * 10 / 254;

// The Qt canvas, keeping every word it draws.
class TRecordingCanvas : public TQtCanvas {
public:
    struct Word {
        int X, Y, Width, Height, Size;
        bool Bold;
        std::string Bytes;
    };
    using TQtCanvas::TQtCanvas;
    void TextOut(int x, int y, std::string_view text) override {
        const TSize e = TextExtent(text);
        words.push_back({x, y, e.cx, e.cy, Font().Size(), Font().Style().Bold, std::string(text)});
        TQtCanvas::TextOut(x, y, text);
    }
    std::vector<Word> words;
};

using TWord = TRecordingCanvas::Word;

bool SameLine(const TWord& a, const TWord& b) { return std::abs(b.Y - a.Y) < a.Height / 2; }

// What a reader would call wrong in drawn rows: a word over the one before
// it, a word run into the one before it with no blank, a label ("...:")
// neither at its line's start nor at its stop, a line that starts with
// neither a label nor a heading (a row wrapped).
std::vector<std::string> Faults(const std::vector<TWord>& words) {
    std::vector<std::string> faults;
    // Runs of text: words that follow each other with their blanks.
    struct TRun {
        std::size_t First;
        std::string Text;
    };
    std::vector<TRun> runs;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const TWord& b = words[i];
        bool adjacent = false;
        if (i > 0 && SameLine(words[i - 1], b)) {
            const TWord& a = words[i - 1];
            adjacent = b.X == a.X + a.Width && b.Size == a.Size;
            if (adjacent && b.Bytes[0] != ' ') faults.push_back("glued: " + a.Bytes + "|" + b.Bytes);
            if (b.X > a.X && b.X < a.X + a.Width) faults.push_back("overlaps: " + a.Bytes + "|" + b.Bytes);
        }
        if (adjacent && b.Bytes[0] == ' ') {
            runs.back().Text += b.Bytes;
        } else {
            runs.push_back({i, b.Bytes});
        }
    }
    for (const TRun& run : runs) {
        const TWord& first = words[run.First];
        const bool startsLine = run.First == 0 || !SameLine(words[run.First - 1], first);
        if (run.Text.back() == ':' && first.X != 0 && first.X != kLabelStop)
            faults.push_back("label at " + std::to_string(first.X) + ": " + run.Text);
        if (startsLine && !first.Bold && run.Text.find(':') == std::string::npos) faults.push_back("wrapped: " + run.Text);
    }
    return faults;
}

// The words of each page as `pdftotext -bbox` reads them, with their heights in points.
struct TBox {
    QString Word;
    double Height;
};
std::vector<std::vector<TBox>> ReadPdf(const std::filesystem::path& file) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), QString::fromStdString(file.string()), QStringLiteral("-")});
    process.waitForFinished(60000);
    static const QRegularExpression pattern(
        QStringLiteral("<page|<word [^>]* yMin=\"([\\d.]+)\" [^>]* yMax=\"([\\d.]+)\">([^<]*)</word>"));
    std::vector<std::vector<TBox>> pages;
    for (auto it = pattern.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0) == QStringLiteral("<page")) {
            pages.emplace_back();
        } else if (!pages.empty()) {
            pages.back().push_back({m.captured(3), m.captured(2).toDouble() - m.captured(1).toDouble()});
        }
    }
    return pages;
}

// The height most words on the page have: the body text's.
double BodyHeight(const std::vector<TBox>& boxes) {
    std::map<long, int> counts;
    for (const TBox& box : boxes) ++counts[std::lround(box.Height * 100)];
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == counts.end() ? 0 : most->first / 100.0;
}

class PrintedTextTest : public ItemModifyFixture {
protected:
    void StartIn(const std::string& language) {
        SelectLanguage(language);
        if (shipped_) {
            Start();
        } else {
            StartWithData();
            shipped_ = true;
        }
        AppOptions->ViewMediumData = true;
    }
    // The item's rows up to the closing note (free text that may wrap),
    // drawn as the report draws them on a 1200-dpi page.
    static std::vector<TWord> DrawRows(const TItem& item) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kDpi);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&pdf);
        TRecordingCanvas canvas(painter, kDpi);
        const TFontSetting font(TFontSetting::kReportFont);
        RTFPrint print(font.Name, font.Size);
        TPrintfStringStream text;
        item.WriteRtf(text);
        const std::string& all = text.DataString();
        TPrintfStringStream rows(all.substr(0, all.rfind("\\pard")));
        TRect rect{0, 0, kWorkWidth, 100000};
        print.Render(canvas, rect, rows);
        return canvas.words;
    }
    // Three items, one of them Optimum, with accents in the names.
    static TProject ThreeItems() {
        TProject project;
        project.FileName = Cp1250("C:\\Projektek\\Kazánház.kvr");
        project.Address.Add(Cp1250("Fő utca 1."));
        const char* const names[] = {"Fűtési előremenő", "Használati melegvíz", "Tároló tartály"};
        const TItem items[] = {Pipe(CalcMode::GivedThickness), Pipe(CalcMode::Optimum), Tank(CalcMode::Condensation)};
        for (int i = 0; i < 3; ++i) {
            TItem item = items[i];
            item.Name = Cp1250(names[i]);
            item.Calculate();
            project.Items.push_back(item);
        }
        return project;
    }

private:
    bool shipped_ = false;
};

}  // namespace

TEST_F(PrintedTextTest, ItemRowsKeepTheirStopsAtPrinterResolution) {
    // The Magyar operating-time label, as the program has always had it, is
    // too long for its column: the value follows it and the unit joins the value.
    const std::vector<std::string> magyarOptimum = {"glued:  24|" + Cp1250("óra")};
    for (const std::string language : {"Magyar", "English"}) {
        StartIn(language);
        for (int type = 0; type <= 6; ++type) {
            for (const TItem& shape : {Pipe(static_cast<CalcMode>(type)), Tank(static_cast<CalcMode>(type))}) {
                TItem item = shape;
                item.Name = Cp1250("Ásványgyapot csőhéj");
                item.Calculate();
                SCOPED_TRACE(testing::Message() << language << " type " << type << " geometry "
                                                << static_cast<int>(item.Geometry));
                const std::vector<TWord> words = DrawRows(item);
                ASSERT_GT(words.size(), 40u);
                const bool known = language == "Magyar" && type == static_cast<int>(CalcMode::Optimum);
                EXPECT_EQ(Faults(words), known ? magyarOptimum : std::vector<std::string>());
            }
        }
    }
}

TEST_F(PrintedTextTest, PrintedPdfReadsBackInBothLanguages) {
    for (const char* language : {"Magyar", "English"}) {
        SCOPED_TRACE(language);
        StartIn(language);
        const TProject project = ThreeItems();
        TPrintingOptionSet options;
        for (const auto option : {TPrintingOption::ProjektData, TPrintingOption::ProjektName,
                                  TPrintingOption::PageNumber, TPrintingOption::Date})
            options.Set(option, true);
        TQtPrinter pdf;
        const std::filesystem::path file = WorkFile(std::string(language) + ".pdf");
        pdf.SetOutputFile(file);
        TPrinter* const previous = SetPrinter(&pdf);
        const report_testing::TRows rows(3);
        TItemReport job(project, rows, true, {20, 20, 15, 20}, options, "");
        job.Print(nullptr);
        SetPrinter(previous);

        const auto pages = ReadPdf(file);
        ASSERT_EQ(pages.size(), 3u);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const std::vector<TBox>& boxes = pages[i];
            QString all;
            for (const TBox& box : boxes) all += box.Word + QLatin1Char(' ');
            EXPECT_TRUE(all.contains(QString::fromStdString(win::ToUtf8(win::CodePage::Cp1250, project.Items[i].Name))))
                << i;
            // A value or name run into the next label reads as one word with a
            // capitalised word inside ("csőhéjHővezetési"; units such as kWh aren't).
            static const QRegularExpression glued(QStringLiteral("[\\d\\p{Ll})]\\p{Lu}\\p{Ll}{2}"));
            for (const TBox& box : boxes) EXPECT_FALSE(glued.match(box.Word).hasMatch()) << box.Word.toStdString();
            // The product line at 16/20 of the body text's height.
            const auto product = std::find_if(boxes.begin(), boxes.end(),
                                              [](const TBox& b) { return b.Word == QStringLiteral("Copyright"); });
            ASSERT_NE(product, boxes.end());
            EXPECT_NEAR(product->Height / BodyHeight(boxes), 16.0 / 20, 0.03);
        }
    }
}
