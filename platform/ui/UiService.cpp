#include "UiService.h"

#include "DesktopUi.h"

#include <atomic>

namespace {

std::atomic<UiService*> installedService {nullptr};

UiService& DesktopService()
{
    static DesktopUi desktop;
    return desktop;
}

MessageIcon IconOf(PromptKind kind)
{
    switch (kind) {
    case PromptKind::Info:
        return MessageIcon::Information;
    case PromptKind::Warning:
        return MessageIcon::Warning;
    case PromptKind::Error:
        break;
    }
    return MessageIcon::Error;
}

} // namespace

void UiService::Show(PromptKind kind, const std::string& text)
{
    MessageBox(text, MessageButtons::Ok, IconOf(kind));
}

std::string UiService::SaveChangesText(const std::string& documentName)
{
    return "Save changes to " + (documentName.empty() ? std::string("Untitled") : documentName) +
        "?";
}

Answer UiService::AskSaveChanges(const std::string& documentName)
{
    return MessageBox(
        SaveChangesText(documentName), MessageButtons::YesNoCancel, MessageIcon::Warning);
}

UiService& Ui()
{
    UiService* service = installedService.load();
    return service != nullptr ? *service : DesktopService();
}

UiService* SetUiService(UiService* service)
{
    return installedService.exchange(service);
}
