#pragma once

#include "Layer.h"

#include "JoinDetails.h"

#include <QString>
#include <optional>

class Bank;

// Where the learner keeps the school's password: never in the bank. In the desktop's keyring,
// typed at each start, or in a file only they can read.
enum class PasswordPlace { Ask, File, Keyring };

// The school a learner has joined, as the bank keeps it: the join details without the
// password, and where the password is.
struct SchoolLinkSettings {
    School::JoinDetails join; // password empty
    PasswordPlace place = PasswordPlace::Ask;
};
std::optional<SchoolLinkSettings> ReadLinkSettings(Bank& bank);
// Saves them (the password is left out); nothing removes them.
void WriteLinkSettings(Bank& bank, const SchoolLinkSettings& settings);
void ForgetLinkSettings(Bank& bank);

// The password file of a role in the learner's data folder, readable by them alone (0600).
QString PasswordFile(const QString& folder, const School::JoinDetails& join);
// Empty when written; else why not.
QString SavePassword(const QString& file, const QString& password);
QString ReadPassword(const QString& file);

// The desktop's keyring, when this build has it. Each call waits for the keyring's answer;
// the words say why it failed (no keyring on this desktop, locked, refused), empty when it
// worked.
bool KeyringBuiltIn();
QString KeyringSave(const School::JoinDetails& join);
QString KeyringRead(School::JoinDetails& join);
void KeyringForget(const School::JoinDetails& join);
