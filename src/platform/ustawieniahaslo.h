#pragma once

#include <QString>

// The administrator password as the settings file keeps it. Only a salted,
// deliberately slow digest is ever written:
//   pbkdf2-sha256$<iterations>$<salt>$<PBKDF2-HMAC-SHA256 of the UTF-8 password>
// with salt and digest in unpadded base64url.
// A plain password that a settings file from an older version holds still
// logs in, until the options are next applied and store its digest.
namespace HasloAdministratora
{

// About 0.1 s on the station's own hardware; raising it later is safe, since
// every digest carries the count it was made with.
inline constexpr int iteracje = 600000;

// A digest of haslo with a fresh random salt.
QString skrot(const QString &haslo);

// Whether the stored value is written as a digest (a damaged one included).
bool jestSkrotem(const QString &zapisane);

// Whether wpisane is the password that zapisane stands for. A digest is
// recomputed with its own salt and count; a plain value is compared
// character by character. A damaged digest matches nothing.
bool zgodne(const QString &wpisane, const QString &zapisane);

// The one user who may switch the control mode on.
inline const QString uzytkownik = QStringLiteral("dorsek");

// The login's check: the user name is exactly uzytkownik and haslo is the
// password that zapisane stands for. The digest is computed whatever the
// name, so a wrong name takes as long as a wrong password.
bool logowanie(const QString &nazwa, const QString &haslo, const QString &zapisane);

// The value to store again for zapisane: a digest stays as it is, a plain
// password is replaced by its digest.
QString doZapisu(const QString &zapisane);

} // namespace HasloAdministratora
