#include "ProjectInfoRows.h"

#include "CheckListRows.h"
#include "InputSet.h"

void FillCheckList(const CInputSet& input, CheckListRows& rows)
{
    for (const std::string& path : input.paths) {
        const auto flags = input.fileFlags.find(path);
        const bool analyse = flags == input.fileFlags.end() || flags->second.analyse;
        const bool draw = flags == input.fileFlags.end() || flags->second.draw;
        rows.AddItem(path, analyse, draw);
    }
}

bool WriteChecksBack(const CheckListRows& rows, CInputSet& input)
{
    bool changed = false;
    for (const CheckListRow& row : rows.Rows()) {
        if (input.paths.count(row.path) == 0)
            continue; // taken out of the project meanwhile
        FileFlags& flags = input.fileFlags[row.path];
        if (flags.analyse != row.analyse || flags.draw != row.draw)
            changed = true;
        flags.analyse = row.analyse;
        flags.draw = row.draw;
    }
    return changed;
}
