#pragma once
// The ally report window: merges the reports that allies hand over.

#include <QProgressBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "forms/tool_window.h"

namespace trevanor {

class TAlly_report_FM : public ToolWindow {
public:
    explicit TAlly_report_FM(Application& app) : ToolWindow(app, "TAlly_report_FM", "Adding another report") {
        setFixedSize(389, 243);
        auto* layout = new QVBoxLayout(this);
        layout->addStretch();
        ProgressBar1 = new QProgressBar(this);
        ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
        ProgressBar1->setRange(0, 100);
        layout->addWidget(ProgressBar1);
        StatusBar1 = new QStatusBar(this);
        StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
        StatusBar1->setSizeGripEnabled(false);
        layout->addWidget(StatusBar1);
    }

    // Progress back to 0 and an empty status line, as each opening starts.
    void resetProgress() {
        ProgressBar1->setValue(0);
        StatusBar1->clearMessage();
    }

    QProgressBar* ProgressBar1;
    QStatusBar* StatusBar1;
};

}  // namespace trevanor
