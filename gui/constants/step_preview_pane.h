// SPDX-License-Identifier: MIT
// CStepPreviewPane: below a step dialog's list, what OK will do to the selected rows' lines.
#pragma once

#include <functional>

#include <QWidget>

#include "core/steps/step_preview.h"

class QLabel;
class QTextEdit;
class QTimer;

namespace korvexer::gui {

// Shows a StepPreview: for each line its file and number, the line as it stands and as it will
// stand after OK. The plan is made by `plan` shortly after the last Schedule(), so that a
// selection moving row by row is planned once it rests and the list stays responsive.
class CStepPreviewPane : public QWidget {
    Q_OBJECT
public:
    using Planner = std::function<StepPreview()>;

    CStepPreviewPane(Planner plan, QWidget* parent = nullptr);

    // Plans and shows the preview anew soon; calls in quick succession make one plan.
    void Schedule();
    // Plans and shows it now.
    void Refresh();
    // The preview as shown, as plain text.
    QString ShownText() const;

    // The preview of `preview` as the pane shows it (HTML).
    static QString Render(const StepPreview& preview);

private:
    Planner m_plan;
    QTimer* m_timer = nullptr;
    QTextEdit* m_text = nullptr;
};

}  // namespace korvexer::gui
