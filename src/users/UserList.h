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

    // Exact, case-sensitive comparisons, as the new-user checks need. -1 when none.
    int indexOfName(const QString& name) const;
    int indexOfProgressFile(const QString& path) const;

    QByteArray toBytes() const;
    static UserTable fromBytes(const QByteArray& bytes);

private:
    QList<UserRecord> records_;
};

inline const QString UserListFile = QStringLiteral("Users.eng");

struct UserListLoad {
    UserTable table;
    // Set when the file exists but cannot be read; the table is then empty.
    std::optional<CourseError> error;
};

// A missing file is an empty list, not an error. A trailing piece shorter than a
// record is not a user and is dropped.
UserListLoad LoadUserList(const QString& path = UserListFile);

// Rewrites the whole list through a temporary file.
std::optional<CourseError> WriteUserList(const UserTable& table,
                                         const QString& path = UserListFile);
