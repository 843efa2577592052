// The header editor's window placement, under the current user:
//   Software\Lumivar\<key>\FormMaximalization          <form name> = maximised (boolean)
//   ...\FormMaximalization\Software\Lumivar\<key>\FormPosition
//                                                       <form name> = "Left,Top,Width,Height"
// The position key lies below the maximisation key: both blocks share one
// registry object, and the second opens the program key's chain again from
// where the first stopped. Reader and writer go the same way.
#include "listheader/ListHeader.h"

#include "platform/base/Exception.h"
#include "platform/base/Registry.h"
#include "platform/base/SysUtils.h"
#include "platform/ui/Form.h"
#include "project/ProgramOptions.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

constexpr char kMaximalizationKey[] = "FormMaximalization";
constexpr char kPositionKey[] = "FormPosition";

// The field before the first "," that isn't the text's first character,
// taken off the text; `field` is unchanged when there is no such ",".
void TakeField(std::string_view& text, int& field) {
    const std::size_t comma = text.size() > 1 ? text.find(',', 1) : std::string_view::npos;
    if (comma == std::string_view::npos) return;
    field = StrToInt(text.substr(0, comma));
    text.remove_prefix(comma + 1);
}

bool OnSomeScreen(const QRect& rect) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(rect)) return true;
    return false;
}

bool ReadBoolValue(const TRegistry& registry, const std::string& name) {
    try {
        return registry.ValueExists(name) && registry.ReadBool(name);
    } catch (const ERegistryException&) {
        return false;  // of another type: not a stored state
    }
}

}  // namespace

std::optional<QRect> ReadPlacementText(std::string_view text, QRect placement, bool sizeable) {
    int left = placement.left();
    int top = placement.top();
    int width = placement.width();
    int height = placement.height();
    try {
        TakeField(text, left);
        TakeField(text, top);
        if (sizeable) {
            TakeField(text, width);
            if (!text.empty()) height = StrToInt(text);
        }
    } catch (const EConvertError&) {
        return std::nullopt;
    }
    return QRect(left, top, width, height);
}

bool TListHeader::OpenProgramRegKey(TRegistry& registry) const {
    return ::OpenProgramRegKey(registry, programKey_);
}

void TListHeader::ReadMaximalization(TForm& form) const {
    TRegistry registry;
    const std::string name = form.Name();
    if (OpenProgramRegKey(registry) && registry.OpenKey(kMaximalizationKey, true) && ReadBoolValue(registry, name))
        form.setWindowState(form.windowState() | Qt::WindowMaximized);
    if (form.windowState() & Qt::WindowMaximized) return;
    if (!OpenProgramRegKey(registry) || !registry.OpenKey(kPositionKey, true) || !registry.ValueExists(name)) return;
    std::string text;
    try {
        text = registry.ReadString(name);
    } catch (const ERegistryException&) {
        return;
    }
    const bool sizeable = form.BorderStyle() == TFormBorderStyle::bsSizeable;
    const std::optional<QRect> placement = ReadPlacementText(text, QRect(form.pos(), form.size()), sizeable);
    // A damaged placement is left out whole: the form keeps its own.
    if (!placement || placement->width() < 1 || placement->height() < 1 || !OnSomeScreen(*placement)) return;
    form.move(placement->topLeft());
    if (sizeable) form.resize(placement->size());
}

void TListHeader::WriteMaximalization(TForm& form) const {
    TRegistry registry;
    const std::string name = form.Name();
    const bool maximised = form.windowState() & Qt::WindowMaximized;
    // The placement is a convenience: a failed write never costs the edit.
    try {
        if (OpenProgramRegKey(registry) && registry.OpenKey(kMaximalizationKey, true))
            registry.WriteBool(name, maximised);
        if (!maximised && OpenProgramRegKey(registry) && registry.OpenKey(kPositionKey, true)) {
            registry.WriteString(name, IntToStr(form.x()) + "," + IntToStr(form.y()) + "," + IntToStr(form.width()) +
                                           "," + IntToStr(form.height()));
        }
    } catch (const ERegistryException&) {
    }
}
