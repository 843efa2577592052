#pragma once
// The about box: the program's picture, name, version and the contacts of
// its maker and distributor. The report footer builds one without showing it,
// for the product line.

#include "platform/ui/Form.h"
#include "platform/win/Clock.h"

#include <memory>
#include <string>

class QLabel;

namespace Ui {
class AboutBox;
}

// "major.minor (year. month. day.)", the minor with at least two digits and
// the date without leading zeros: 2, 5, 3 February 2004 -> "2.05 (2004. 2. 3.)".
std::string VersionText(int major, int minor, const win::TDate& date);

class TAboutBox : public TForm {
    Q_OBJECT

public:
    // Translated; the version from the build and the executable's date; the
    // picture when it can be read.
    explicit TAboutBox(QWidget* owner = nullptr);
    ~TAboutBox() override;

    // "\sb144\f4\fs16 " + product name + " " + version + " " + copyright
    // (Windows-1250), without a paragraph end.
    std::string RtfProductLine() const;

    // Opens the label's text as a web address.
    void wwwClick(const QLabel& label);
    // Opens "mailto:" + the label's text.
    void mailClick(const QLabel& label);

private:
    std::unique_ptr<Ui::AboutBox> ui_;
};
