#include "NewProjectWizard.h"

#include "NewProjectInfo.h"
#include "NewProjectPages.h"

namespace {

enum class Page { Project, Workspace, Folder, Files };

} // namespace

WizardEnd RunNewProjectWizard(NewProjectInfo& info, COptions& options, MessageSink& sink)
{
    using Action = CNewProjectPage::Action;
    Page page = Page::Project;
    for (;;) {
        switch (page) {
        case Page::Project: {
            CDialogNewProject dialog(info, options);
            if (dialog.DoModal() != IDOK)
                return WizardEnd::Cancelled;
            if (dialog.GetAction() == Action::Finish)
                return WizardEnd::EmptyProject;
            page = info.startMode == NewProjectInfo::kWorkspace ? Page::Workspace
                : info.startMode == NewProjectInfo::kFolder     ? Page::Folder
                                                                : Page::Files;
            break;
        }
        case Page::Workspace: {
            CDialogNewProjectVCFile dialog(info, sink);
            if (dialog.DoModal() != IDOK)
                return WizardEnd::Cancelled;
            page = dialog.GetAction() == Action::Back ? Page::Project : Page::Files;
            break;
        }
        case Page::Folder: {
            CDialogNewProject2 dialog(info, options);
            if (dialog.DoModal() != IDOK)
                return WizardEnd::Cancelled;
            page = dialog.GetAction() == Action::Back ? Page::Project : Page::Files;
            break;
        }
        case Page::Files: {
            CDialogNewProject3 dialog(info, options);
            if (dialog.DoModal() != IDOK)
                return WizardEnd::Cancelled;
            if (dialog.GetAction() == Action::Finish)
                return WizardEnd::WithFiles;
            page = info.startMode == NewProjectInfo::kWorkspace ? Page::Workspace
                : info.startMode == NewProjectInfo::kFolder     ? Page::Folder
                                                                : Page::Project;
            break;
        }
        }
    }
}
