// SPDX-License-Identifier: MIT
// CLanguageDlg: the dialog "编程语言设置" that shows and stores the definition of any language.
#pragma once

#include <cstdint>

#include <QDialog>

#include "core/language/language_dialog_fields.h"
#include "core/platform/profile_store.h"
#include "gui/app/prompter.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvexer::gui {

// Works on its own copy of a language's values: a selection in the language list shows that
// language's stored section, "恢复默认值" shows the defaults, "应用" and "确定" store the shown
// values in the selected language's section. The program's current language definition is never
// touched; the opener reloads it after OK. A write that fails is shown through the Prompter, and
// "确定" then keeps the dialog open.
class CLanguageDlg : public QDialog {
    Q_OBJECT
public:
    // `settings` and `prompter` must outlive the dialog; `initialIndex` is the entry selected at
    // the start.
    CLanguageDlg(ProfileStore& settings, std::int32_t initialIndex, Prompter& prompter,
                 QWidget* parent = nullptr);

    std::int32_t SelectedIndex() const;
    // The values the controls show now.
    LanguageDialogFields ShownFields() const;

public slots:
    void accept() override;

private:
    void Build();
    QLineEdit* AddEdit(const char* name, int byteLimit);
    void ShowFields(const LanguageDialogFields& fields);
    void LoadSelected(bool fromSettings);
    // Stores the shown values in the selected language's section; false (after showing why) when
    // the settings file could not be written.
    bool StoreSelected();

    ProfileStore& m_settings;
    Prompter& m_prompter;
    QComboBox* m_language = nullptr;
    QRadioButton* m_assignEquals = nullptr;
    QRadioButton* m_assignColon = nullptr;
    QRadioButton* m_quoteDouble = nullptr;
    QRadioButton* m_quoteSingle = nullptr;
    QCheckBox* m_cr = nullptr;
    QCheckBox* m_lf = nullptr;
    QLineEdit* m_linendchar = nullptr;
    QLineEdit* m_onelineexplain = nullptr;
    QLineEdit* m_escapechar = nullptr;
    QLineEdit* m_multilineBegin = nullptr;
    QLineEdit* m_multilineEnd = nullptr;
    QLineEdit* m_hexprefix = nullptr;
    QLineEdit* m_numbersubfix = nullptr;
    QLineEdit* m_filesubfix = nullptr;
    QLineEdit* m_separator = nullptr;
    QLineEdit* m_begindealmark = nullptr;
    QLineEdit* m_functionbegin = nullptr;
    QLineEdit* m_functionend = nullptr;
    QLineEdit* m_definevalue = nullptr;
};

}  // namespace korvexer::gui
