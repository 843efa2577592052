// The main window's file commands: new, open, save, save as, the project's
// data, and the question before the current project is discarded.

#include "app/Main.h"

#include "app/ProjektData.h"
#include "lang/Languages.h"
#include "platform/base/Exception.h"
#include "platform/base/MemoryStream.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/ListView.h"
#include "platform/ui/SaveFile.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"
#include "project/Project.h"

#include <QString>

#include <string>
#include <string_view>

namespace {

std::string Text(std::string_view key) {
    return LanguageList->GetString(key);
}

void ShowError(const std::string& message) {
    win::MessageBox(message, Text("IDS_PROGRAMTITLE"), win::MB_OK | win::MB_ICONEXCLAMATION);
}

std::filesystem::path PathOf(const QString& fileName) {
    return std::filesystem::path(fileName.toStdString());
}

QString TextOf(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

}  // namespace

void TMainForm::FileNewExecute() {
    if (!QuerySaveChanges()) return;
    ReplaceProject(std::make_unique<TProject>(), {});
    FillItemsList();
    UpdateCaption();
    UpdateActionStates();
}

void TMainForm::FileOpenExecute() {
    if (!QuerySaveChanges()) return;
    if (!openDialog_->Execute()) return;
    const std::filesystem::path path = PathOf(openDialog_->FileName());
    try {
        MyMemoryStream stream;
        stream.LoadFromFile(path);
        stream.SetPosition(0);
        auto pending = std::make_unique<TProject>();
        pending->LoadFromStream(stream);
        ReplaceProject(std::move(pending), path);
    } catch (const Exception& e) {
        // The pending project goes; the current one stays as it was.
        ShowError(e.Message());
    }
    FillItemsList();
    UpdateCaption();
    UpdateActionStates();
}

void TMainForm::SaveExecute() {
    SaveProject(false);
}

void TMainForm::FileSaveAsExecute() {
    SaveProject(true);
}

void TMainForm::FileExitExecute() {
    close();
}

void TMainForm::ProjectDataActionExecute() {
    {
        TProjektDataForm form(this, *project_);
        form.ShowModal();
    }
    UpdateActionStates();
}

void TMainForm::SaveProject(bool saveAs) {
    if (saveAs || project_->FileName.empty()) {
        saveDialog_->SetFileName(TextOf(ProjectFilePath()));
        if (!saveDialog_->Execute()) return;
        projectPath_ = PathOf(saveDialog_->FileName());
        project_->FileName = win::TextFromPath(projectPath_);
    } else {
        projectPath_ = ProjectFilePath();
    }
    // Writing the image clears Modified before the file exists; only a
    // committed file may leave it cleared.
    try {
        MyMemoryStream stream;
        project_->SaveToStream(stream);
        SaveWholeFile(projectPath_,
                      std::string_view(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size())));
    } catch (const Exception& e) {
        project_->Modified = true;
        ShowError(e.Message());
    } catch (...) {
        project_->Modified = true;
        throw;
    }
    UpdateCaption();
    UpdateActionStates();
}

bool TMainForm::QuerySaveChanges() {
    if (!project_->Modified) return true;
    switch (win::MessageBox(Text("IDS_SAVEQUESTION"), Text("IDS_PROGRAMTITLE"), win::MB_YESNOCANCEL | win::MB_ICONQUESTION)) {
        case win::IDYES:
            SaveProject(false);
            // A cancelled save dialog or a failed save keeps the project.
            return !project_->Modified;
        case win::IDNO:
            return true;
        default:
            return false;
    }
}

std::filesystem::path TMainForm::ProjectFilePath() const {
    // The dialog's path keeps characters that Windows-1250 lacks.
    if (win::TextFromPath(projectPath_) == project_->FileName) return projectPath_;
    return win::PathFromText(project_->FileName);
}

void TMainForm::ReplaceProject(std::unique_ptr<TProject> project, const std::filesystem::path& path) {
    project_ = std::move(project);
    projectPath_ = path;
    project_->FileName = path.empty() ? std::string() : win::TextFromPath(path);
}
