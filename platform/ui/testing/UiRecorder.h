#pragma once

#include "UiService.h"

#include <QDialog>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// A user-interface service for tests: installs itself for its lifetime (as
// the user interface and as the prompt service), records every call, and
// answers the calls that offer a choice from a script of replies, in order.
// Nothing is ever shown and nothing waits.
//
// Calls that take the next reply: a message box with more than an OK button,
// the file, folder and colour choosers, and modal dialogs. Calls that take
// none: an OK-only message box (and so every prompt), a notice, opening a
// link, starting a program. A call that finds no reply left (or one of the
// wrong kind, which then stays for the next call) gets what cancelling gives,
// and its record says it was not scripted.
//
//     UiRecorder ui;
//     ui.Reply(UiReply::Answer(Answer::Yes)).Reply(UiReply::Path("/tmp/a.kst"));
//     ... code under test ...
//     EXPECT_EQ(ui.Texts(UiCallKind::Message), ...);

enum class UiCallKind {
    Message,
    Notice,
    OpenFile,
    OpenFiles,
    SaveFile,
    ChooseFolder,
    ChooseColor,
    OpenUrl,
    StartProgram,
    Dialog
};

struct UiCall {
    UiCallKind kind;
    // The message, notice, caption of a chooser, link, program, or dialog title.
    std::string text {};
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    // A program's arguments; a file chooser's filters, start and suffix.
    std::vector<std::string> arguments {};
    bool scripted = false;
};

struct UiReply {
    enum class Kind { Answer, Paths, Folder, Color, Dialog, Cancel };
    Kind kind = Kind::Cancel;
    ::Answer answer = ::Answer::Cancel;
    std::vector<std::string> paths;
    bool checked = false;
    COLORREF colour = 0;
    std::function<int(QDialog&)> dialog;

    static UiReply Answer(::Answer a)
    {
        UiReply r;
        r.kind = Kind::Answer;
        r.answer = a;
        return r;
    }
    static UiReply Path(std::string path) { return Paths({std::move(path)}); }
    static UiReply Paths(std::vector<std::string> paths)
    {
        UiReply r;
        r.kind = Kind::Paths;
        r.paths = std::move(paths);
        return r;
    }
    static UiReply Folder(std::string path, bool checked)
    {
        UiReply r = Path(std::move(path));
        r.kind = Kind::Folder;
        r.checked = checked;
        return r;
    }
    static UiReply Color(COLORREF c)
    {
        UiReply r;
        r.kind = Kind::Color;
        r.colour = c;
        return r;
    }
    // Works the dialog (it is prepared, not shown) and returns its result.
    static UiReply Dialog(std::function<int(QDialog&)> work)
    {
        UiReply r;
        r.kind = Kind::Dialog;
        r.dialog = std::move(work);
        return r;
    }
    // Presses the dialog's OK (accept) and returns the result it ended with.
    static UiReply Accept()
    {
        return Dialog([](QDialog& d) {
            d.accept();
            return d.result();
        });
    }
    // Cancels any chooser, question or dialog.
    static UiReply Cancel() { return UiReply {}; }
};

class UiRecorder : public UiService {
public:
    UiRecorder() : scope_(this) { }

    UiRecorder& Reply(UiReply reply)
    {
        replies_.push_back(std::move(reply));
        return *this;
    }
    size_t RepliesLeft() const { return replies_.size(); }

    std::vector<UiCall> calls;
    // What OpenUrl and StartProgram report.
    bool launchSucceeds = true;

    std::vector<std::string> Texts(UiCallKind kind) const
    {
        std::vector<std::string> texts;
        for (const UiCall& call : calls)
            if (call.kind == kind)
                texts.push_back(call.text);
        return texts;
    }

    Answer MessageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
        const std::string&) override
    {
        UiCall& call = Record(UiCallKind::Message, text);
        call.buttons = buttons;
        call.icon = icon;
        if (buttons == MessageButtons::Ok)
            return Answer::Ok;
        const Answer escape = buttons == MessageButtons::YesNo ? Answer::No : Answer::Cancel;
        UiReply reply = Take(call, UiReply::Kind::Answer);
        return reply.kind == UiReply::Kind::Answer ? reply.answer : escape;
    }
    void Notice(const std::string& text) override { Record(UiCallKind::Notice, text); }
    std::optional<std::string> OpenFile(const FileRequest& request) override
    {
        UiReply reply = Take(RecordFile(UiCallKind::OpenFile, request), UiReply::Kind::Paths);
        if (reply.paths.empty())
            return std::nullopt;
        return reply.paths.front();
    }
    std::vector<std::string> OpenFiles(const FileRequest& request) override
    {
        return Take(RecordFile(UiCallKind::OpenFiles, request), UiReply::Kind::Paths).paths;
    }
    std::optional<std::string> SaveFile(const FileRequest& request) override
    {
        UiReply reply = Take(RecordFile(UiCallKind::SaveFile, request), UiReply::Kind::Paths);
        if (reply.paths.empty())
            return std::nullopt;
        return reply.paths.front();
    }
    std::optional<FolderChoice> ChooseFolder(const FolderRequest& request) override
    {
        UiCall& call = Record(UiCallKind::ChooseFolder, request.caption);
        call.arguments = {request.start, request.checkText};
        UiReply reply = Take(call, UiReply::Kind::Folder);
        if (reply.kind != UiReply::Kind::Folder || reply.paths.empty())
            return std::nullopt;
        return FolderChoice {reply.paths.front(), reply.checked};
    }
    std::optional<COLORREF> ChooseColor(COLORREF initial) override
    {
        UiCall& call = Record(UiCallKind::ChooseColor, {});
        call.arguments = {std::to_string(initial)};
        UiReply reply = Take(call, UiReply::Kind::Color);
        if (reply.kind != UiReply::Kind::Color)
            return std::nullopt;
        return reply.colour;
    }
    bool OpenUrl(const std::string& urlOrPath) override
    {
        Record(UiCallKind::OpenUrl, urlOrPath);
        return launchSucceeds;
    }
    bool StartProgram(
        const std::string& program, const std::vector<std::string>& arguments) override
    {
        Record(UiCallKind::StartProgram, program).arguments = arguments;
        return launchSucceeds;
    }
    int RunModal(QDialog& dialog) override
    {
        UiCall& call = Record(UiCallKind::Dialog, dialog.windowTitle().toUtf8().toStdString());
        UiReply reply = Take(call, UiReply::Kind::Dialog);
        dialog.setResult(0);
        if (reply.kind == UiReply::Kind::Dialog)
            return reply.dialog(dialog);
        dialog.reject();
        return dialog.result();
    }

private:
    UiCall& Record(UiCallKind kind, const std::string& text)
    {
        calls.push_back(UiCall {.kind = kind, .text = text});
        return calls.back();
    }
    UiCall& RecordFile(UiCallKind kind, const FileRequest& request)
    {
        UiCall& call = Record(kind, request.caption);
        call.arguments = {request.filters, request.start, request.defaultSuffix};
        return call;
    }
    // The next reply when it is of the kind the call takes (a cancel fits
    // every call), and the call is marked scripted; otherwise a cancel, and
    // the reply stays for the next call.
    UiReply Take(UiCall& call, UiReply::Kind kind)
    {
        if (replies_.empty())
            return UiReply {};
        if (replies_.front().kind != kind && replies_.front().kind != UiReply::Kind::Cancel)
            return UiReply {};
        UiReply reply = std::move(replies_.front());
        replies_.pop_front();
        call.scripted = true;
        return reply;
    }

    std::deque<UiReply> replies_;
    ScopedUiService scope_;
};
