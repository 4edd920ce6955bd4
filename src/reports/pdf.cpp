#include "pdf.h"

#include "silnik.h"

#include <QPdfWriter>
#include <QSaveFile>

bool zapiszPdf(const raport::Silnik &silnik, const QString &plik, const QString &tytul, QString *blad)
{
    QSaveFile f(plik);
    if (!f.open(QIODevice::WriteOnly)) {
        if (blad)
            *blad = f.errorString();
        return false;
    }
    {
        QPdfWriter pdf(&f);
        pdf.setPageLayout(silnik.uklad().strona);
        pdf.setResolution(300);
        pdf.setTitle(tytul);
        pdf.setCreator(QStringLiteral("Tolvek"));
        if (silnik.drukuj(pdf) == 0) {
            f.cancelWriting();
            if (blad)
                *blad = QStringLiteral("nie można utworzyć dokumentu PDF");
            return false;
        }
    }
    if (!f.commit()) {
        if (blad)
            *blad = f.errorString();
        return false;
    }
    return true;
}
