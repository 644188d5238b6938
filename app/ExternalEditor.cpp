#include "ExternalEditor.h"

#include "UiService.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

std::vector<std::string> SplitCommandLine(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (quote == '\'') {
            if (ch == '\'')
                quote = 0;
            else
                word += ch;
        } else if (quote == '"') {
            if (ch == '"')
                quote = 0;
            else if (ch == '\\' && i + 1 < line.size() &&
                (line[i + 1] == '"' || line[i + 1] == '\\'))
                word += line[++i];
            else
                word += ch;
        } else if (ch == ' ' || ch == '\t') {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            inWord = true;
            if (ch == '\'' || ch == '"')
                quote = ch;
            else if (ch == '\\' && i + 1 < line.size())
                word += line[++i];
            else
                word += ch;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

void StartExternalEditor(const std::string& commandLine, const std::string& path,
    const std::array<std::string, 4>& messages)
{
    // The option is a command line: the program and its own arguments; the
    // file goes last as one argument, whatever it holds. No shell runs it.
    std::vector<std::string> arguments = SplitCommandLine(commandLine);
    const std::string program = arguments.empty() ? std::string() : arguments.front();
    if (!arguments.empty())
        arguments.erase(arguments.begin());
    auto refuse = [&](const std::string& message) {
        Ui().MessageBox("\"" + program + "\"  " + message, MessageButtons::Ok, MessageIcon::Error);
    };
    if (program.empty())
        return refuse(messages[2]);
    if (program.find('/') != std::string::npos) {
        const QFileInfo file(QString::fromStdString(program));
        if (!file.dir().exists())
            return refuse(messages[3]);
        if (!file.exists())
            return refuse(messages[2]);
        if (!file.isFile() || !file.isExecutable())
            return refuse(messages[1]);
    } else if (QStandardPaths::findExecutable(QString::fromStdString(program)).isEmpty()) {
        return refuse(messages[2]);
    }
    if (path.find_first_not_of(' ') != std::string::npos)
        arguments.push_back(path);
    if (!Ui().StartProgram(program, arguments))
        Ui().MessageBox(messages[0], MessageButtons::Ok, MessageIcon::Error);
}
