#!/usr/bin/env python3
"""Velvane's MSI, for scripts/package.sh: the installer source that wixl builds, and the finishing touches that
wixl cannot express.

  msi.py source FOLDER VERSION > velvane.wxs   the source, with file paths relative to the current folder
  msi.py settle MSI FOLDER VERSION EPOCH        user data made permanent; package code and dates fixed

The MSI installs FOLDER into Program Files\\Velvane for the whole machine, puts a Velvane shortcut into the Start
menu and lists the program with its version, publisher and icon among the installed programs. A newer version
replaces an older one in place: the older one is removed first, then the newer one installed.

Every code Windows Installer keys on is fixed or derived by name (UUID version 5), never drawn at random, so two
builds of one version carry the same codes:
- the upgrade code is fixed for ever: it ties all versions of Velvane together;
- the product code and the component codes come from the version (and the file's path);
- the package code comes from the version and the bytes of every file: the same files give the same package.
wixl writes a random package code and the build time into the summary; settle replaces both (the time by EPOCH).

The shipped configuration data\\config.qdt becomes the user's once a program allowed to write there has changed
it, so an upgrade never overwrites it and an uninstall never removes it; its component keeps one code in every
version.

The side bar's start-with-Windows entry (the value Velvane in the user's Run key) is the user's too, but one that names
the uninstalled program would start nothing at every logon: the uninstall removes it for the user who uninstalls when
it names this installation's velvane.exe (quoted or not), never during an upgrade, and leaves one that names another
copy. Other users' entries are out of reach: their part of the registry is not loaded.
"""
import hashlib
import os
import re
import subprocess
import sys
import uuid
from xml.sax.saxutils import quoteattr

UPGRADE_CODE = "02E69282-2020-4AB4-90EC-FB38438DDB5E"
RUN_KEY = r"Software\Microsoft\Windows\CurrentVersion\Run"
RUN_KEY_HKCU = "HKCU\\" + RUN_KEY
# A whole uninstall, not the removal of an older version by an upgrade, and an entry naming this velvane.exe (it
# "contains" the path: the side bar writes it in quotes).
REMOVE_RUN_VALUE = 'REMOVE~="ALL" AND NOT UPGRADINGPRODUCTCODE AND VELVANE_RUN~&gt;&lt;VELVANE_EXE'
NAMESPACE = uuid.UUID("B4C5CD58-F7EA-45B3-9F2F-54A772DA9736")  # of every derived code
PUBLISHER = "Velvane"
USER_DATA = ["data/config.qdt"]

# Component attribute bits: 64-bit, never removed, never overwritten.
ATTR_64BIT, ATTR_PERMANENT, ATTR_NEVER_OVERWRITE = 256, 16, 128


def code(*parts):
    return str(uuid.uuid5(NAMESPACE, "|".join(parts))).upper()


def ident(prefix, path):
    """An identifier Windows Installer accepts, unique per path."""
    name = re.sub(r"[^A-Za-z0-9_.]", "_", path)
    return f"{prefix}{name[:50]}_{hashlib.sha1(path.encode()).hexdigest()[:8]}"


def payload(root):
    """The relative paths of all files in one fixed order, and a digest of their names and bytes."""
    files = sorted(os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")
                   for folder, _, names in os.walk(root) for name in names)
    digest = hashlib.sha256()
    for rel in files:
        digest.update(rel.encode() + b"\0")
        with open(os.path.join(root, rel), "rb") as f:
            digest.update(f.read())
    return files, digest.hexdigest()


def component(root, rel, version, indent):
    guid = code("component", rel) if rel in USER_DATA else code("component", version, rel)
    source = quoteattr(os.path.relpath(os.path.join(root, rel)))
    name = quoteattr(rel.rsplit("/", 1)[-1])
    file_id = "velvane.exe" if rel == "velvane.exe" else ident("f_", rel)
    lines = [f'<Component Id="{ident("c_", rel)}" Guid="{guid}" Win64="yes">',
             f'  <File Id="{file_id}" Name={name} Source={source} KeyPath="yes"/>']
    if rel == "velvane.exe":
        lines += ['  <Shortcut Id="StartMenuShortcut" Directory="ProgramMenuFolder" Name="Velvane"'
                  ' Target="[#velvane.exe]"',
                  '            Description="Velvane side bar" WorkingDirectory="INSTALLDIR" Icon="velvane.ico"/>']
    lines.append("</Component>")
    return [indent + line for line in lines]


def tree(root, folder, files, version, indent):
    """The files directly in folder ("" for the top), then each sub-folder in name order."""
    inside = [f[len(folder):] for f in files if f.startswith(folder)]
    lines = []
    for rel in (r for r in inside if "/" not in r):
        lines += component(root, folder + rel, version, indent)
    for sub in sorted({r.split("/", 1)[0] for r in inside if "/" in r}):
        lines.append(f'{indent}<Directory Id="{ident("d_", folder + sub)}" Name={quoteattr(sub)}>')
        lines += tree(root, folder + sub + "/", files, version, indent + "  ")
        lines.append(f"{indent}</Directory>")
    return lines


def source(root, version):
    files, _ = payload(root)
    refs = "\n".join(f'      <ComponentRef Id="{ident("c_", f)}"/>' for f in files)
    icon = quoteattr(os.path.relpath(os.path.join(root, "icon.ico")))
    return f"""<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="{code('product', version)}" Name="Velvane" Language="1033" Version="{version}"
           Manufacturer="{PUBLISHER}" UpgradeCode="{UPGRADE_CODE}" Codepage="1252">
    <Package Description="Velvane {version}" Manufacturer="{PUBLISHER}" InstallerVersion="500" Languages="1033"
             Compressed="yes" InstallScope="perMachine"/>
    <MajorUpgrade DowngradeErrorMessage="A newer version of Velvane is already installed."/>
    <Media Id="1" Cabinet="velvane.cab" EmbedCab="yes"/>
    <Icon Id="velvane.ico" SourceFile={icon}/>
    <Property Id="ARPPRODUCTICON" Value="velvane.ico"/>
    <Property Id="ARPNOMODIFY" Value="1"/>
    <Property Id="VELVANE_RUN">
      <RegistrySearch Id="VelvaneRun" Root="HKCU" Key="{RUN_KEY}" Name="Velvane" Type="raw"/>
    </Property>
    <CustomAction Id="VelvaneExe" Property="VELVANE_EXE" Value="[INSTALLDIR]velvane.exe"/>
    <CustomAction Id="VelvaneReg" Property="VELVANE_REG" Value="[System64Folder]reg.exe"/>
    <CustomAction Id="RemoveRunValue" Property="VELVANE_REG" ExeCommand="delete {RUN_KEY_HKCU} /v Velvane /f"
                  Return="ignore"/>
    <InstallExecuteSequence>
      <Custom Action="VelvaneExe" After="CostFinalize"/>
      <Custom Action="VelvaneReg" After="VelvaneExe"/>
      <Custom Action="RemoveRunValue" After="InstallFinalize">{REMOVE_RUN_VALUE}</Custom>
    </InstallExecuteSequence>
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="ProgramFiles64Folder">
        <Directory Id="INSTALLDIR" Name="Velvane">
{chr(10).join(tree(root, "", files, version, " " * 10))}
        </Directory>
      </Directory>
      <Directory Id="ProgramMenuFolder"/>
    </Directory>
    <Feature Id="Velvane" Level="1">
{refs}
    </Feature>
  </Product>
</Wix>"""


def settle(msi, root, version, epoch):
    attributes = ATTR_64BIT | ATTR_PERMANENT | ATTR_NEVER_OVERWRITE
    for rel in USER_DATA:
        subprocess.run(["msibuild", msi, "-q",
                        f"UPDATE Component SET Attributes = {attributes} WHERE Component = '{ident('c_', rel)}'"],
                       check=True)
    # The summary stream keeps its layout: the package code is a text of the same length, the two dates
    # (created, last saved) follow it as FILETIME values. Both are rewritten in place.
    _, digest = payload(root)
    package = "{" + code("package", version, digest) + "}"
    filetime = ((int(epoch) + 11644473600) * 10_000_000).to_bytes(8, "little")
    with open(msi, "rb") as f:
        data = bytearray(f.read())
    found = list(re.finditer(rb"\x1e\x00\x00\x00\x27\x00\x00\x00(\{[0-9A-F-]{36}\})\x00", data))
    if len(found) != 1:
        sys.exit(f"msi.py: the package code of {msi} was not found once but {len(found)} times")
    data[found[0].start(1):found[0].end(1)] = package.encode()
    dates = [m.start(1) for m in re.finditer(rb"\x40\x00\x00\x00(.{8})", data[found[0].end():found[0].end() + 64],
                                             re.DOTALL)]
    if len(dates) != 2:
        sys.exit(f"msi.py: the dates of {msi} were not found")
    for at in dates:
        data[found[0].end() + at:found[0].end() + at + 8] = filetime
    with open(msi, "wb") as f:
        f.write(data)
    summary = subprocess.run(["msiinfo", "suminfo", msi], check=True, capture_output=True, text=True).stdout
    if package not in summary:
        sys.exit(f"msi.py: the summary of {msi} does not read back:\n{summary}")


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "source":
        print(source(sys.argv[2], sys.argv[3]))
    elif len(sys.argv) == 6 and sys.argv[1] == "settle":
        settle(sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
