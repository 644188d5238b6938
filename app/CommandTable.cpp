#include "CommandTable.h"

#include "CommandIds.h"

namespace {

QList<QKeySequence> Keys(std::initializer_list<QKeyCombination> keys)
{
    QList<QKeySequence> list;
    for (QKeyCombination key : keys)
        list.append(QKeySequence(key));
    return list;
}

constexpr Qt::KeyboardModifier Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifier Shift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifier Alt = Qt::AltModifier;

std::vector<CommandEntry> BuildTable()
{
    std::vector<CommandEntry> table = {
        // File
        {ID_NEW_PROJECT, "&New Project...\tCtrl+N", Keys({Ctrl | Qt::Key_N})},
        {ID_FILE_OPEN, "&Open Kestrin Project...\tCtrl+O", Keys({Ctrl | Qt::Key_O})},
        {ID_CLOSE_PROJECT, "C&lose Kestrin Project\tCtrl+L", Keys({Ctrl | Qt::Key_L})},
        {ID_OPEN_FROM_VC, "Open From &Dsw Dsp vcproj File...\tCtrl+D", Keys({Ctrl | Qt::Key_D})},
        {ID_APPEND_FILES, "Append Cpp C Dsw Dsp vcproj Fil&es...\tCtrl+E",
            Keys({Ctrl | Qt::Key_E})},
        {ID_FILE_SAVE, "&Save Project\tCtrl+S", Keys({Ctrl | Qt::Key_S})},
        {ID_FILE_SAVE_AS, "Save Project &As...\tCtrl+A", Keys({Ctrl | Qt::Key_A})},
        {ID_PRINT_PREVIEW_CHOOSE, "Print Pre&view...", {}},
        {ID_PRINT_CHOOSE, "&Print...\tCtrl+P", {}},
        {ID_FILE_PRINT_SETUP, "P&rint Setup...", {}},
        {ID_APP_EXIT, "E&xit", {}},
        // Kestrin
        {ID_DRAW, "&Draw\tF5", Keys({QKeyCombination(Qt::Key_F5)})},
        {ID_CLEAR_ALL_REDRAW, "Clear All and &Redraw\tCtrl+F5", Keys({Ctrl | Qt::Key_F5})},
        {ID_STOP, "&Stop\tF8", Keys({QKeyCombination(Qt::Key_F8)})},
        // View
        {ID_VIEW_CONTROL_BAR, "&Control Bar\tF10", Keys({QKeyCombination(Qt::Key_F10)})},
        {ID_VIEW_STATUS_BAR, "&Status Bar\tF11", Keys({QKeyCombination(Qt::Key_F11)})},
        {ID_VIEW_CODE, "&Code\tF9", Keys({QKeyCombination(Qt::Key_F9)})},
        // Option
        {ID_OPTION_GENERAL, "&General...", {}},
        {ID_OPTION_DIRECTORY, "&Directory...", {}},
        {ID_OPTION_PREDEFINED, "&Predefined Word...", {}},
        {ID_MACRO_VISUAL_SETTING, "&Macro View Visual Setting...", {}},
        {ID_FLOW_VISUAL_SETTING, "&Flow View Visual Setting...", {}},
        {ID_SEQUENCE_VISUAL_SETTING, "&Sequence View Visual Setting...", {}},
        {ID_NSD_VISUAL_SETTING, "&NSD View Visual Setting...", {}},
        // Info
        {ID_PROJECT_INFO, "&Info", Keys({QKeyCombination(Qt::Key_F3)})},
        // Help
        {ID_HELP_CONTENTS, "&Help...\tF1", Keys({QKeyCombination(Qt::Key_F1)})},
        {ID_SYSTEM_INFO, "&System Information...", {}},
        {ID_APP_ABOUT, "&About Kestrin...", {}},
        // Dialog bar
        {IDC_DRAW, "Draw", {}},
        {IDC_STOP, "Stop", {}},
        {IDC_SHOW_VC_HEADER, "Show VC Header", {}},
        {IDC_FILENAME, "Filename", {}},
        {IDC_AUTO_RESIZE, "Auto Resize", {}},
        {IDC_PARSING_VC_HEADER, "Parsing VC Header", {}},
        {IDC_FOLD, "Fold", {}},
        {IDC_UNFOLD, "Unfold", {}},
        {IDC_CODE, "Code", {}},
        {IDC_AUTO_SORT, "", {}},
        {IDC_SORT, "Sort", {}},
        {IDC_VIEW_SELECTOR, "", {}},
        // Splitter buttons and their keys
        {IDC_SPLIT_UP, "U", Keys({Ctrl | Qt::Key_Up})},
        {IDC_SPLIT_DOWN, "D", Keys({Ctrl | Qt::Key_Down})},
        {IDC_SPLIT_LEFT, "<<", Keys({Ctrl | Qt::Key_Left})},
        {IDC_SPLIT_RIGHT, ">>", Keys({Ctrl | Qt::Key_Right})},
        {IDC_SPLIT_ONE_TWO, "1:2", Keys({Ctrl | Qt::Key_7})},
        {IDC_SPLIT_HALF, "|", Keys({Ctrl | Qt::Key_8})},
        {IDC_SPLIT_TWO_ONE, "2:1", Keys({Ctrl | Qt::Key_9})},
        {IDC_SPLIT_FIT, "Fit", Keys({Ctrl | Qt::Key_5})},
        // Keys without a menu entry of their own
        {ID_FILE_PRINT, "Print", Keys({Ctrl | Qt::Key_P})},
        {ID_FILE_PRINT_DIRECT, "Print Direct", {}},
        {ID_FILE_PRINT_PREVIEW, "Print Preview", {}},
        {ID_NEXT_PANE, "Next Pane", Keys({QKeyCombination(Qt::Key_F6)})},
        {ID_PREV_PANE, "Previous Pane", Keys({Shift | Qt::Key_F6})},
        {ID_EDIT_COPY, "Copy", Keys({Ctrl | Qt::Key_C, Ctrl | Qt::Key_Insert})},
        {ID_EDIT_CUT, "Cut", Keys({Ctrl | Qt::Key_X, Shift | Qt::Key_Delete})},
        {ID_EDIT_PASTE, "Paste", Keys({Ctrl | Qt::Key_V, Shift | Qt::Key_Insert})},
        {ID_EDIT_UNDO, "Undo", Keys({Ctrl | Qt::Key_Z, Alt | Qt::Key_Backspace})},
        {ID_WEB_PAGE, "Web Page", {}},
        {ID_FILE_NEW, "New", {}},
    };
    for (int i = 0; i < kRecentFileCount; ++i)
        table.push_back({ID_FILE_MRU_FILE1 + i, "Recent File", {}});
    return table;
}

} // namespace

const std::vector<CommandEntry>& CommandTable()
{
    static const std::vector<CommandEntry> table = BuildTable();
    return table;
}

std::vector<MenuItem> MainMenuDescription()
{
    using M = MenuItem;
    std::vector<MenuItem> file = {
        M::Command(ID_NEW_PROJECT),
        M::Command(ID_FILE_OPEN),
        M::Command(ID_CLOSE_PROJECT),
        M::Separator(),
        M::Command(ID_OPEN_FROM_VC),
        M::Command(ID_APPEND_FILES),
        M::Separator(),
        M::Command(ID_FILE_SAVE),
        M::Command(ID_FILE_SAVE_AS),
        M::Separator(),
        M::Command(ID_PRINT_PREVIEW_CHOOSE),
        M::Command(ID_PRINT_CHOOSE),
        M::Command(ID_FILE_PRINT_SETUP),
        M::Separator(),
    };
    for (int i = 0; i < kRecentFileCount; ++i)
        file.push_back(M::Command(ID_FILE_MRU_FILE1 + i));
    file.push_back(M::Separator());
    file.push_back(M::Command(ID_APP_EXIT));

    return {
        M::Popup("&File", std::move(file)),
        M::Popup("&Kestrin",
            {M::Command(ID_DRAW), M::Command(ID_CLEAR_ALL_REDRAW), M::Command(ID_STOP)}),
        M::Popup("&View",
            {M::Command(ID_VIEW_CONTROL_BAR), M::Command(ID_VIEW_STATUS_BAR),
                M::Command(ID_VIEW_CODE)}),
        M::Popup("&Option",
            {M::Command(ID_OPTION_GENERAL), M::Command(ID_OPTION_DIRECTORY),
                M::Command(ID_OPTION_PREDEFINED), M::Separator(),
                M::Command(ID_MACRO_VISUAL_SETTING), M::Command(ID_FLOW_VISUAL_SETTING),
                M::Command(ID_SEQUENCE_VISUAL_SETTING), M::Command(ID_NSD_VISUAL_SETTING)}),
        M::Command(ID_PROJECT_INFO),
        M::Popup("&Help",
            {M::Command(ID_HELP_CONTENTS), M::Command(ID_SYSTEM_INFO), M::Separator(),
                M::Command(ID_APP_ABOUT)}),
    };
}

void RegisterCommandTable(CommandRegistry& commands)
{
    for (const CommandEntry& entry : CommandTable()) {
        commands.Add(entry.id, entry.text);
        if (!entry.keys.isEmpty())
            commands.SetKeys(entry.id, entry.keys);
    }
}
