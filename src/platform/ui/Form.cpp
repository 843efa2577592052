#include "platform/ui/Form.h"

#include "platform/ui/ComponentProperties.h"
#include "platform/ui/Help.h"
#include "platform/ui/QtText.h"
#include "platform/win/Files.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QPalette>
#include <QShortcut>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

// The whole "short|long" text, kept beside the two parts Qt shows.
constexpr char kHintProperty[] = "componentHint";
constexpr int kFormFontPixels = 11;

ModalRunner& Runner() {
    static ModalRunner runner;
    return runner;
}

bool IsComponentName(const QString& name) {
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

void CollectComponents(const QObject& parent, std::vector<QObject*>& out) {
    for (QObject* child : parent.children()) {
        if (IsComponentName(child->objectName())) out.push_back(child);
        if (!dynamic_cast<TFormBase*>(child)) CollectComponents(*child, out);
    }
}

}  // namespace

// The engine's view of one component; follows its object and goes blank when
// the object is destroyed.
class TQtComponent : public IComponent {
public:
    explicit TQtComponent(QObject& object) : object_(&object) {}
    std::string Name() const override { return object_ ? FromQString(object_->objectName()) : std::string(); }
    std::string ClassName() const override { return object_ ? object_->metaObject()->className() : ""; }
    bool IsKind(TComponentKind kind) const override { return object_ && FitsComponentKind(*object_, kind); }
    bool SetProperty(TComponentKind kind, TComponentProperty property, int index, const std::string& value) override {
        return object_ && SetComponentProperty(*object_, kind, property, index, ToQString(value));
    }
    void SetFontCharset(int charset) override {
        if (object_) ::SetFontCharset(*object_, charset);
    }
    bool Follows(const QObject& object) const { return object_.data() == &object; }
    bool Alive() const { return !object_.isNull(); }

private:
    QPointer<QObject> object_;
};

QColor FormColor() {
    return QColor(208, 224, 192);
}

QFont FormFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kFormFontPixels);
    return font;
}

void ApplyFormStyle(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, FormColor());
    widget.setPalette(palette);
    widget.setFont(FormFont());
}

QString ShortHint(const QString& hint) {
    const auto bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString& hint) {
    const auto bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void SetComponentHint(QObject& object, const QString& hint) {
    object.setProperty(kHintProperty, hint);
    if (auto* menu = qobject_cast<QMenu*>(&object)) {
        menu->menuAction()->setToolTip(ShortHint(hint));
        menu->menuAction()->setStatusTip(LongHint(hint));
    } else if (auto* action = qobject_cast<QAction*>(&object)) {
        action->setToolTip(ShortHint(hint));
        action->setStatusTip(LongHint(hint));
    } else if (auto* widget = qobject_cast<QWidget*>(&object)) {
        widget->setToolTip(ShortHint(hint));
        widget->setStatusTip(LongHint(hint));
    }
}

QString ComponentHint(const QObject& object) {
    return object.property(kHintProperty).toString();
}

TFormBase::TFormBase(QWidget& window) : window_(window) {
    ApplyFormStyle(window_);
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), &window_);
    QObject::connect(helpKey, &QShortcut::activated, helpKey, [this] { ShowHelp(); });
}

bool TFormBase::ShowHelp() const {
    if (helpContext_ == 0) return false;
    if (helpFile_.empty()) return HelpCommand(HELP_CONTEXT, helpContext_);
    // A form's own help file lies beside the application's.
    std::filesystem::path file = win::PathFromText(helpFile_);
    if (file.is_relative()) file = ApplicationHelpFile().parent_path() / file;
    return WinHelp(file, HELP_CONTEXT, helpContext_);
}

TFormBase::~TFormBase() = default;

void TFormBase::SetBorderStyle(TFormBorderStyle style) {
    borderStyle_ = style;
    const bool sizeable = style == TFormBorderStyle::bsSizeable || style == TFormBorderStyle::bsSizeToolWin;
    window_.setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, !sizeable);
}

std::string TFormBase::Name() const {
    return FromQString(window_.objectName());
}

std::string TFormBase::Caption() const {
    return FromQString(window_.windowTitle());
}

void TFormBase::SetCaption(const std::string& caption) {
    window_.setWindowTitle(ToQString(caption));
}

std::string TFormBase::Hint() const {
    return FromQString(ComponentHint(window_));
}

void TFormBase::SetHint(const std::string& hint) {
    SetComponentHint(window_, ToQString(hint));
}

std::string TFormBase::HelpFile() const {
    return helpFile_;
}

void TFormBase::SetHelpFile(const std::string& helpFile) {
    helpFile_ = helpFile;
}

std::vector<QObject*> TFormBase::ComponentObjects() const {
    std::vector<QObject*> objects;
    CollectComponents(window_, objects);
    for (const auto& added : added_) {
        if (added && IsComponentName(added->objectName()) &&
            std::find(objects.begin(), objects.end(), added.data()) == objects.end()) {
            objects.push_back(added.data());
        }
    }
    return objects;
}

QObject* TFormBase::FindComponentObject(const QString& name) const {
    for (QObject* object : ComponentObjects()) {
        if (object->objectName() == name) return object;
    }
    return nullptr;
}

void TFormBase::AddComponent(QObject& object) {
    std::erase_if(added_, [](const QPointer<QObject>& p) { return p.isNull(); });
    added_.emplace_back(&object);
}

IComponent& TFormBase::AdapterFor(QObject& object) {
    for (const auto& adapter : adapters_) {
        if (adapter->Follows(object)) return *adapter;
    }
    return *adapters_.emplace_back(std::make_unique<TQtComponent>(object));
}

void TFormBase::SetFontCharset(int charset) {
    ::SetFontCharset(window_, charset);
}

int TFormBase::ComponentCount() {
    // Adapters of destroyed objects go here, never while a listing is in use.
    std::erase_if(adapters_, [](const std::unique_ptr<TQtComponent>& a) { return !a->Alive(); });
    listed_.clear();
    for (QObject* object : ComponentObjects()) listed_.push_back(&AdapterFor(*object));
    return static_cast<int>(listed_.size());
}

IComponent& TFormBase::Component(int index) {
    if (listed_.empty()) ComponentCount();
    return *listed_.at(static_cast<std::size_t>(index));
}

IComponent* TFormBase::FindComponent(std::string_view name) {
    QObject* object = FindComponentObject(ToQString(name));
    return object ? &AdapterFor(*object) : nullptr;
}

TForm::TForm(QWidget* owner) : QDialog(owner), TFormBase(static_cast<QWidget&>(*this)) {}

int TForm::ShowModal() {
    modalResult_ = mrNone;
    int result = Runner() ? Runner()(*this) : exec();
    // A dialog that went away without a result was closed: that is Cancel.
    if (result == mrNone) result = mrCancel;
    modalResult_ = result;
    return result;
}

void TForm::SetModalResult(int result) {
    modalResult_ = result;
    if (result != mrNone) done(result);
}

void TForm::BindModalResult(QAbstractButton& button, int result) {
    connect(&button, &QAbstractButton::clicked, this, [this, result] { SetModalResult(result); });
}

void TForm::accept() {
    SetModalResult(mrOk);
}

void TForm::reject() {
    SetModalResult(mrCancel);
}

TMainWindowForm::TMainWindowForm(QWidget* parent) : QMainWindow(parent), TFormBase(static_cast<QWidget&>(*this)) {}

ModalRunner SetModalRunner(ModalRunner runner) {
    return std::exchange(Runner(), std::move(runner));
}
