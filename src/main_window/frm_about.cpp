#include "frm_about.h"

#include "artwork.h"

#include <QLabel>
#include <QPushButton>

namespace vellicor {
namespace {

QLabel* AddLabel(const char* name, const QString& text, QRect geometry, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    // Desktop fonts run wider than the design's; shrink the text rather than cut it off.
    QFont font = label->font();
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(text) > geometry.width())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Vellicor"));
    setFixedSize(344, 144);
    setModal(true);

    QLabel* image = AddLabel("Image1", QString(), {16, 8, 96, 96}, this);
    image->setPixmap(AboutPicture());
    AddLabel("lblTitle", QStringLiteral("Vellicor - Sprite development environment"),
             {120, 32, 211, 16}, this);
    AddLabel("lblVersion", QStringLiteral("1.0 b"), {120, 56, 35, 15}, this);
    AddLabel("lblDescription", QStringLiteral("Developed by Tessbyrne"), {120, 80, 147, 22}, this);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setGeometry(272, 112, 57, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace vellicor
