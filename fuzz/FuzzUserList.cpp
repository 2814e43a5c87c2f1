// A user list of any bytes: every field, and the check for damage, reads
// inside its record, and the list written back is byte-for-byte what was
// read: the whole records, then the piece too short to be one.
#include "users/UserList.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const UserTable table = UserTable::fromBytes(bytes);
    for (int i = 0; i < table.count(); ++i) {
        const UserRecord& user = table.at(i);
        (void)userRowText(user);
        (void)user.folder();
        (void)user.progressFile();
        (void)user.password();
        (void)recordDamage(user);
    }
    const qsizetype whole = bytes.size() - bytes.size() % UserRecord::Size;
    if (table.tail() != bytes.mid(whole) || table.toBytes() != bytes)
        std::abort();
    return 0;
}
