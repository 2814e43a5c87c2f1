// A user list of any bytes: every field reads inside its record, and the list
// written back is byte-for-byte the whole records that were read.
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
    }
    const qsizetype whole = bytes.size() - bytes.size() % UserRecord::Size;
    if (table.toBytes() != bytes.left(whole))
        std::abort();
    return 0;
}
