#pragma once

#include "UniqueNames.h"
#include "VcDefines.h"
#include "VcFileReader.h"

#include <string>
#include <string_view>
#include <vector>

class MessageSink;

// Reads a Visual C++ 6 workspace (.dsw): the projects its "Project:" lines
// name, then each of those projects with a CDspReader.
//
//     CDswReader reader(sink, true);
//     if (reader.Open(path)) {
//         reader.ReadProjects();
//         reader.LoadProjects();
//     }
//     ... reader.Files(), reader.Defines()
//
// Project paths resolve against the workspace's folder, each project's
// sources against its own; the current folder is never changed. A project
// named again, also by another path to the same file, is read once.
class CDswReader : public CVcFileReader {
public:
    CDswReader(MessageSink& sink, bool report);

    // Reads the workspace file. False when it cannot be read (reported when
    // `report` is set); ReadProjects then does nothing.
    bool Open(const std::string& path);
    // Collects the project paths of the opened file.
    void ReadProjects();
    // The same for a workspace's text whose paths resolve against `folder`.
    void ReadProjects(std::string_view text, const std::string& folder);
    // Reads every collected project, in order.
    void LoadProjects();

    // The project paths as the workspace writes them, each once.
    const std::vector<std::string>& ProjectPaths() const { return projects_.Names(); }
    // The found sources of all projects, project by project.
    const std::vector<std::string>& Files() const { return files_; }
    // Every project's words together.
    const VcDefines& Defines() const { return defines_; }

private:
    void ReadLines(LineReader& lines);

    UniqueNames projects_;
    std::vector<std::string> files_;
    VcDefines defines_;
};
