// SPDX-License-Identifier: MIT
// CStepPreviewPane: a read-only text under its caption, planned after a short rest.
#include "gui/constants/step_preview_pane.h"

#include <utility>

#include <QFontDatabase>
#include <QLabel>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/app/failure_text.h"
#include "gui/text/gbk_codec.h"

namespace korvexer::gui {

namespace {

// Long enough to let a key held down pass over rows, short enough to feel at once.
constexpr int kRestMilliseconds = 120;

QString Code(const std::string& bytes, TextEncoding encoding) {
    return GbkCodec::ToQString(bytes, encoding).toHtmlEscaped();
}

QString Paragraph(const QString& html, const char* colour = nullptr) {
    if (colour == nullptr) return QStringLiteral("<div>%1</div>").arg(html);
    return QStringLiteral("<div style=\"color:%1\">%2</div>").arg(QLatin1String(colour), html);
}

// One row of the two-column table that keeps the lines' texts under each other.
QString CodeRow(const QString& label, const QString& code, const char* colour) {
    return QStringLiteral(
               "<tr><td style=\"color:%1\">%2</td>"
               "<td style=\"white-space:pre; color:%1\"><code>%3</code></td></tr>")
        .arg(QLatin1String(colour), label, code);
}

}  // namespace

CStepPreviewPane::CStepPreviewPane(Planner plan, QWidget* parent)
    : QWidget(parent), m_plan(std::move(plan)), m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("preview"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(kRestMilliseconds);
    connect(m_timer, &QTimer::timeout, this, &CStepPreviewPane::Refresh);

    m_text = new QTextEdit(this);
    m_text->setObjectName(QStringLiteral("previewText"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QTextEdit::NoWrap);
    m_text->setPlaceholderText(
        QStringLiteral("选中列表中的行，这里就显示按“确定”后该行源程序的变化。"));
    m_text->setFixedHeight(6 * fontMetrics().height() + 10);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(new QLabel(QStringLiteral("预览（按“确定”后源程序的变化）："), this));
    layout->addWidget(m_text);
}

void CStepPreviewPane::Schedule() {
    m_timer->start();
}

void CStepPreviewPane::Refresh() {
    m_timer->stop();
    m_text->setHtml(Render(m_plan()));
}

QString CStepPreviewPane::ShownText() const {
    return m_text->toPlainText();
}

QString CStepPreviewPane::Render(const StepPreview& preview) {
    if (preview.refused)
        return Paragraph(FailureReason(*preview.refused).toHtmlEscaped(), "#c00000");
    QString html;
    for (const PreviewLine& line : preview.lines) {
        html += Paragraph(QStringLiteral("<b>%1</b> 第%2行")
                              .arg(GbkCodec::ToQString(line.file).toHtmlEscaped())
                              .arg(line.line));
        html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"1\">");
        html += CodeRow(QStringLiteral("　现在："), Code(line.before, line.encoding), "#800000");
        if (line.after == line.before)
            html += CodeRow(QStringLiteral("　确定后："), QStringLiteral("（不变）"), "#606060");
        else
            html +=
                CodeRow(QStringLiteral("　确定后："), Code(line.after, line.encoding), "#006000");
        html += QStringLiteral("</table>");
    }
    for (const Error& error : preview.unreadable)
        html += Paragraph(
            (GbkCodec::ToQString(error.path) + QStringLiteral("：") + FailureReason(error))
                .toHtmlEscaped(),
            "#c00000");
    if (preview.withoutPlace > 0)
        html += Paragraph(
            QStringLiteral("选中的行中有%1行是手工添加的，不在源程序中，确定时只记入列表。")
                .arg(preview.withoutPlace));
    if (preview.leftOut > 0)
        html += Paragraph(QStringLiteral("另有%1个选中的行没有显示。").arg(preview.leftOut));
    return html;
}

}  // namespace korvexer::gui
