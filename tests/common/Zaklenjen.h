// A registry key whose security allows nobody anything, for refused-access cases: Wine checks a key's
// DACL when it is opened, and its parent may still delete it.
#ifndef ZRNO_TESTS_COMMON_ZAKLENJEN_H
#define ZRNO_TESTS_COMMON_ZAKLENJEN_H

#include <windows.h>

/// Creates the subkey with an empty DACL; ERROR_SUCCESS or the system's error.
inline LONG UstvariZaklenjenKljuc(HKEY stars, char const *pot) {
    HKEY k;
    LONG e = RegCreateKeyExA(stars, pot, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
    if (e != ERROR_SUCCESS)
        return e;
    SECURITY_DESCRIPTOR sd;
    ACL acl;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    InitializeAcl(&acl, sizeof acl, ACL_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, &acl, FALSE);
    e = RegSetKeySecurity(k, DACL_SECURITY_INFORMATION, &sd);
    RegCloseKey(k);
    return e;
}

#endif
