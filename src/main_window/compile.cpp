// Exporting the project as a header of bit-plane arrays.
#include "export/header_file.h"
#include "export/header_text.h"
#include "frm_main.h"

#include <QDir>

namespace vellicor {

void frmMain::Compile() {
    const auto chosen =
        dialogs_.SaveFileName(this, QStringLiteral("Header Files (*.h)"), lastHeaderName_);
    if (!chosen)
        return;
    lastHeaderName_ = *chosen;
    // The text is built whole before the file is touched, so it is what the table held when
    // the dialog closed.
    const std::string header = HeaderText(document_.Table());
    if (const auto reason = WriteFileAtomically(*chosen, header)) {
        dialogs_.MessageBox(this,
                            tr("The header could not be written to \"%1\".\n%2")
                                .arg(QDir::toNativeSeparators(*chosen), *reason),
                            QStringLiteral("Error"));
    }
}

} // namespace vellicor
