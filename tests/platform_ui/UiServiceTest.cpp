#include "DesktopUi.h"
#include "FadingNotice.h"
#include "PaintGuard.h"
#include "TempFolder.h"
#include "UiRecorder.h"
#include "UiThreadPoster.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

TEST(UiRecorderService, AnswersChoicesFromTheScriptInOrderAndRecordsEveryCall)
{
    UiRecorder ui;
    ui.Reply(UiReply::Answer(Answer::Yes))
        .Reply(UiReply::Path("/work/demo.kst"))
        .Reply(UiReply::Folder("/src", true))
        .Reply(UiReply::Color(RGB(1, 2, 3)))
        .Reply(UiReply::Cancel())
        .Reply(UiReply::Paths({"/a.c", "/b.c"}));

    ShowPrompt("The colour file cannot be read."); // an OK box takes no reply
    EXPECT_EQ(Ui().AskSaveChanges("demo.kst"), Answer::Yes);
    Ui().Notice("Project saved.");
    EXPECT_EQ(
        Ui().OpenFile(
            {.caption = "Open", .start = "/work", .filters = "Kestrin Project files (*.kst)"}),
        "/work/demo.kst");
    EXPECT_EQ(Ui().ChooseFolder(
                  {.caption = "Source folder", .start = "/", .checkText = "Recurse sub-folders"}),
        (FolderChoice {"/src", true}));
    EXPECT_EQ(Ui().ChooseColor(RGB(9, 9, 9)), RGB(1, 2, 3));
    EXPECT_EQ(Ui().SaveFile({.caption = "Save As"}), std::nullopt);
    // The next reply is a file list: a question gets what Escape gives, and
    // the reply waits for the call it fits.
    EXPECT_EQ(Ui().MessageBox("Draw again?", MessageButtons::YesNo), Answer::No);
    EXPECT_EQ(Ui().OpenFiles({.caption = "Append"}), (std::vector<std::string> {"/a.c", "/b.c"}));
    EXPECT_EQ(Ui().MessageBox("Remove?", MessageButtons::OkCancel), Answer::Cancel);
    EXPECT_TRUE(Ui().StartProgram("gedit", {"+12", "a b.c"}));
    EXPECT_EQ(ui.RepliesLeft(), 0u);

    EXPECT_EQ(ui.Texts(UiCallKind::Message),
        (std::vector<std::string> {"The colour file cannot be read.", "Save changes to demo.kst?",
            "Draw again?", "Remove?"}));
    EXPECT_EQ(ui.calls[0].icon, MessageIcon::Error);
    EXPECT_EQ(ui.calls[1].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(ui.Texts(UiCallKind::Notice), std::vector<std::string> {"Project saved."});
    std::vector<bool> scripted;
    for (const UiCall& call : ui.calls)
        scripted.push_back(call.scripted);
    EXPECT_EQ(scripted,
        (std::vector<bool> {
            false, true, false, true, true, true, true, false, true, false, false}));
    EXPECT_EQ(ui.calls.back().arguments, (std::vector<std::string> {"+12", "a b.c"}));
}

TEST(UiRecorderService, ScopesNestAndRestoreTheServicesBefore)
{
    UiRecorder outer;
    {
        UiRecorder inner;
        ShowPrompt("inner");
        EXPECT_EQ(&Ui(), &inner);
    }
    ShowPrompt("outer");
    EXPECT_EQ(&Ui(), &outer);
    EXPECT_EQ(outer.Texts(UiCallKind::Message), std::vector<std::string> {"outer"});
}

TEST(DesktopMessageBox, EachButtonSetHasItsDefaultEscapeAndAnswers)
{
    struct Case {
        MessageButtons buttons;
        std::vector<std::pair<QMessageBox::StandardButton, Answer>>
            answers; // the first is the default
        Answer escape;
    };
    const Case cases[] = {
        {MessageButtons::Ok, {{QMessageBox::Ok, Answer::Ok}}, Answer::Ok},
        {MessageButtons::OkCancel,
            {{QMessageBox::Ok, Answer::Ok}, {QMessageBox::Cancel, Answer::Cancel}}, Answer::Cancel},
        {MessageButtons::YesNo, {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}},
            Answer::No},
        {MessageButtons::YesNoCancel,
            {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No},
                {QMessageBox::Cancel, Answer::Cancel}},
            Answer::Cancel},
    };
    for (const Case& c : cases) {
        auto box =
            DesktopUi::BuildMessageBox("Question", c.buttons, MessageIcon::Question, {}, nullptr);
        EXPECT_EQ(box->buttons().size(), static_cast<qsizetype>(c.answers.size()));
        EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()),
            box->button(c.answers.front().first));
        EXPECT_EQ(box->windowTitle(), "Kestrin");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(DesktopUi::AnswerOf(*box, c.buttons), c.escape) << "closed without a button";
        for (const auto& [button, answer] : c.answers) {
            auto clicked = DesktopUi::BuildMessageBox(
                "Question", c.buttons, MessageIcon::None, "Title", nullptr);
            clicked->button(button)->click();
            EXPECT_EQ(DesktopUi::AnswerOf(*clicked, c.buttons), answer);
        }
    }
}

TEST(DesktopChoosers, FolderChooserCarriesItsCheckBoxAndProgramsStartWithoutAShell)
{
    auto plain = DesktopUi::BuildFolderDialog({.caption = "Folder", .start = "/"}, nullptr);
    EXPECT_EQ(plain->fileMode(), QFileDialog::Directory);
    EXPECT_EQ(plain->findChild<QCheckBox*>("check"), nullptr);
    auto withCheck = DesktopUi::BuildFolderDialog(
        {.caption = "Folder", .start = "/", .checkText = "Recurse sub-folders", .checked = true},
        nullptr);
    auto* check = withCheck->findChild<QCheckBox*>("check");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text(), "Recurse sub-folders");
    EXPECT_TRUE(check->isChecked());

    // An argument full of shell syntax reaches the program as one argument.
    TempFolder folder;
    const std::string odd = folder.File("x; touch injected $(id) `id` 'q'");
    DesktopUi desktop;
    ASSERT_TRUE(desktop.StartProgram("touch", {odd}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(odd); }, 5000));
    EXPECT_FALSE(desktop.StartProgram("/no/such/program", {}));
}

TEST(FadingNoticeBox, FadesOverEightTicksWithoutAModalLoopAndClosesItself)
{
    QPointer<FadingNotice> notice = FadingNotice::Start("Project saved.", nullptr);
    ASSERT_TRUE(notice->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    std::vector<int> greys;
    for (int i = 0; i < 7; ++i) {
        notice->Tick();
        greys.push_back(notice->GreyLevel());
    }
    EXPECT_EQ(greys, (std::vector<int> {20, 40, 60, 80, 100, 120, 140}));
    EXPECT_TRUE(notice->isVisible());
    notice->Tick();
    EXPECT_FALSE(notice->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(notice.isNull());

    // Its own timer closes it too, while the event loop runs on.
    QPointer<FadingNotice> timed = FadingNotice::Start("Project closed.", nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return timed.isNull(); }, 5000));

    // A short text keeps the box's width; a long one widens it on both sides.
    FadingNotice shortOne("Saved.");
    EXPECT_EQ(shortOne.width(), 320);
    const QString longText(80, QChar('W'));
    FadingNotice longOne(longText);
    QFont font("Tahoma");
    font.setPixelSize(20);
    font.setWeight(QFont::ExtraBold);
    const int textWidth = QFontMetrics(font).horizontalAdvance(longText);
    EXPECT_EQ(longOne.width(), 320 + 2 * (textWidth - 320 + 40));
}

TEST(UiThreadWork, WorkerPostsRunOnTheUiThreadInOrderAndAreDroppedWithTheirReceiver)
{
    auto receiver = std::make_unique<QObject>();
    UiThreadPoster poster(receiver.get());
    std::vector<int> seen;
    bool allOnUiThread = true;
    bool workerIsUi = true;
    std::thread worker([&, poster] {
        workerIsUi = IsUiThread();
        for (int i = 0; i < 5; ++i)
            poster.Post([&, i] {
                seen.push_back(i);
                allOnUiThread = allOnUiThread && IsUiThread();
            });
    });
    worker.join();
    EXPECT_FALSE(workerIsUi);
    EXPECT_TRUE(seen.empty());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(seen, (std::vector<int> {0, 1, 2, 3, 4}));
    EXPECT_TRUE(allOnUiThread);

    std::thread late([&, poster] { poster.Post([&] { seen.push_back(99); }); });
    late.join();
    receiver.reset();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(seen.size(), 5u);
}

TEST(PaintGuardLock, APaintInsideItselfDrawsNothing)
{
    PaintLock lock;
    int drawn = 0;
    std::function<void(int)> paint = [&](int depth) {
        PaintGuard guard(lock);
        if (!guard)
            return;
        ++drawn;
        if (depth < 3)
            paint(depth + 1);
    };
    paint(0);
    EXPECT_EQ(drawn, 1);
    EXPECT_FALSE(lock.IsHeld());
    paint(0);
    EXPECT_EQ(drawn, 2);
}

TEST(DesktopOffTheUiThread, PromptsArePostedToTheUiThreadAndOtherCallsAreCancelled)
{
    DesktopUi desktop;
    std::optional<Answer> answer;
    std::optional<std::string> file = "unset";
    std::thread worker([&] {
        desktop.Show(PromptKind::Warning, "From the draw thread.");
        answer = desktop.MessageBox("Sure?", MessageButtons::YesNo, MessageIcon::Question, {});
        file = desktop.OpenFile({});
    });
    worker.join();
    EXPECT_EQ(answer, Answer::No);
    EXPECT_EQ(file, std::nullopt);
    // The prompt arrives on this thread; a box opened there is closed at once.
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->close();
        }
    });
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(shown, "From the draw thread.");
}
