#include "placeholder_panel.h"

#include "../app/catalogue.h"

#include <QLabel>
#include <QVBoxLayout>

namespace Korvane {

CPlaceholderPanel::CPlaceholderPanel(int dialogId, CPanelHost* host, QWidget* parent)
    : CPanelBase(dialogId, host, parent) {
    QStringList products;
    for (int i = 0; i < kProductCount; ++i)
        if (Korvane::Product(i).panelId == dialogId)
            products << QString::fromLatin1(Korvane::Product(i).label);
    auto* label =
        new QLabel(tr("The panel for %1 is not available yet in this version of Korvane PC.\n"
                      "The serial link, the product menu and the other panels work as usual.")
                       .arg(products.join(QStringLiteral(", "))),
                   this);
    label->setObjectName(QStringLiteral("placeholderLabel"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
}

} // namespace Korvane
