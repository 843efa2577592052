#include "app/StandardTubes.h"

#include "data/StandardTubes.h"
#include "lang/Languages.h"
#include "platform/ui/ComponentEvents.h"
#include "platform/ui/QtControls.h"
#include "ui_StandardTubes.h"

TStandardTubesForm::TStandardTubesForm(QWidget* owner, int airCanal)
    : TForm(owner), ui_(std::make_unique<Ui::StandardTubesForm>()) {
    ui_->setupUi(this);
    SetHelpContext(101);
    OnChange(*ui_->TreeView, this, [this] { TreeViewChange(); });
    OnDblClick(*ui_->TreeView, this, [this] { OKClick(); });
    OnClick(*ui_->OK, this, [this] { OKClick(); });
    BindModalResult(*ui_->Cancel, mrCancel);
    OnClick(*ui_->Help, this, [this] { HelpClick(); });
    LanguageList->TranslateForm(*this);
    if (StandardTubeTypes) {
        TQtTreeView tree(*ui_->TreeView);
        StandardTubeTypes->FillTreeView(tree, airCanal);
    }
}

TStandardTubesForm::~TStandardTubesForm() = default;

void TStandardTubesForm::TreeViewChange() {
    const TQtTreeView tree(*ui_->TreeView);
    const TTreeNode* node = tree.Selected();
    ui_->OK->setEnabled(node && tree.Parent(node));
}

void TStandardTubesForm::OKClick() {
    const TQtTreeView tree(*ui_->TreeView);
    const TTreeNode* node = tree.Selected();
    if (!node || !tree.Parent(node) || !StandardTubeTypes) return;
    const std::intptr_t data = tree.Data(node);
    const TTubeItem* type = StandardTubeTypes->GetItem(static_cast<int>(data / TStandardTubeTypes::kTypeShift));
    const TTubeSubItem* size = type ? type->GetSubItem(static_cast<int>(data % TStandardTubeTypes::kTypeShift)) : nullptr;
    if (!size) return;
    ResultDb = size->db;
    ResultDk = size->dk;
    ResultHeatConditionFactor = type->HeatConditionFactor;
    SetModalResult(mrOk);
}

void TStandardTubesForm::HelpClick() {
    ShowHelp();
}
