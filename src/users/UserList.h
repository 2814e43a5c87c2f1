#pragma once

#include "common/CourseError.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// One user of the list file "Users.eng": 560 bytes, length-prefixed code page
// 1251 strings. The record keeps its raw bytes and reads and writes the fields
// in place, so the bytes after each string and the reserved bytes survive a
// read and write unchanged.
class UserRecord {
public:
    static constexpr int Size = 560;

    UserRecord(); // every byte zero
    // Missing bytes are zero; bytes beyond Size are ignored.
    static UserRecord fromBytes(const QByteArray& bytes);
    const QByteArray& bytes() const { return raw_; }

    QString name() const;
    QString mode() const; // one letter "A" to "D"
    QString password() const;
    QString folder() const;
    QString progressFile() const;

    // False (record unchanged) when the text does not fit its field or holds a
    // character code page 1251 cannot store.
    bool setName(const QString& name);
    bool setMode(const QString& letter);
    bool setPassword(const QString& password);
    bool setFolder(const QString& folder);
    bool setProgressFile(const QString& path);

private:
    QByteArray raw_;
};

// The constant record every new user starts from; its mode is the anonymous
// user's mode at start.
UserRecord AnonymousUser();

// True for the work mode letters "A" to "D".
bool isModeLetter(const QString& letter);

// How a user appears in a list: "Ivan - Режим C".
QString userRowText(const UserRecord& user);

// The users in list order; grows as users are added, without a fixed capacity.
class UserTable {
public:
    int count() const { return int(records_.size()); }
    int lastIndex() const { return count() - 1; }
    bool isEmpty() const { return records_.isEmpty(); }
    const UserRecord& at(int index) const { return records_.at(index); }
    UserRecord& operator[](int index) { return records_[index]; }

    void append(const UserRecord& user) { records_.append(user); }
    void removeAt(int index) { records_.removeAt(index); }

    // Names compare exactly, case-sensitive, as the new-user checks need;
    // progress files in canonical form. -1 when none.
    int indexOfName(const QString& name) const;
    int indexOfProgressFile(const QString& path) const;

    // Bytes at the end of the file that do not make a whole record: a damaged
    // list keeps them, after the whole records, so nothing of it is lost.
    const QByteArray& tail() const { return tail_; }

    QByteArray toBytes() const;
    static UserTable fromBytes(const QByteArray& bytes);

private:
    QList<UserRecord> records_;
    QByteArray tail_;
};

// What is wrong with a record as read from a file: empty when it is a user the
// program can work with; else why it looks damaged (a name with bytes that are
// not text, a length beyond its field, no mode letter).
QString recordDamage(const UserRecord& user);

inline const QString UserListFile = QStringLiteral("Users.eng");

struct UserListLoad {
    UserTable table;
    // Set when the file exists but cannot be read; the table is then empty.
    std::optional<CourseError> error;
    // Damage the student should know of: a trailing piece shorter than a record
    // (kept in the table's tail), damaged records (kept and listed).
    QStringList warnings;
};

// A missing file is an empty list, not an error; a pipe or device is refused
// without being opened.
UserListLoad LoadUserList(const QString& path = UserListFile);

// Rewrites the whole list, tail included, through a temporary file.
std::optional<CourseError> WriteUserList(const UserTable& table,
                                         const QString& path = UserListFile);
