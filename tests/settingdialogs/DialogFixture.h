#pragma once

#include "Options.h"
#include "TempFolder.h"
#include "UiRecorder.h"
#include "VisualSettingDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

// A Visual Setting dialog's surroundings: options in a folder of their own,
// the user's and the program's theme folders ("user/Color", "program/Color"
// under `folder`), and the user interface answered from a script.
class DialogFixture : public ::testing::Test {
protected:
    DialogFixture() : options(folder.File("settings.ini"), folder.Path()) { }

    std::string UserThemes() const { return folder.File("user/Color"); }
    std::string ProgramThemes() const { return folder.File("program/Color"); }

    // Prepares and shows the dialog, its preview painted once.
    static void Open(CDialog& dialog)
    {
        dialog.Initialize();
        dialog.show();
        QApplication::processEvents();
    }

    // A row picked from a list as the user picks it.
    static void Pick(CDialog& dialog, int id, int row)
    {
        auto* list = dialog.ItemAs<QComboBox>(id);
        list->setCurrentIndex(row);
        emit list->activated(row);
    }

    static std::vector<std::string> Rows(CDialog& dialog, int id)
    {
        std::vector<std::string> rows;
        auto* list = dialog.ItemAs<QComboBox>(id);
        for (int i = 0; i < list->count(); ++i)
            rows.push_back(list->itemText(i).toStdString());
        return rows;
    }

    // Answers the name prompt of Save As with the name and OK.
    static UiReply Name(const std::string& name)
    {
        return UiReply::Dialog([name](QDialog& prompt) {
            prompt.findChild<QLineEdit*>()->setText(QString::fromStdString(name));
            prompt.accept();
            return prompt.result();
        });
    }

    TempFolder folder;
    COptions options;
    UiRecorder ui;
};
