#!/usr/bin/env python3
"""Holds the Russian guide to what the build makes: every deliverable it names has the name the
build gives it, every command it shows takes the options the tools take, and every file or folder
it says a package installs is there. Run on a guide document as the build wrote it.

  check.py --guide DOC.html --version V [--root DIR] [--site DIR]

--root: the Linux install tree (cmake --install with prefix /usr into DIR), for the paths and
commands of the Debian package; --site: the web folder, for the files the guide says it holds.
"""
import argparse
import html
import os
import re
import sys

failures = []


def fail(message):
    failures.append(message)


def codes(document):
    """The text of every <code> element, the example configurations' blocks left out (a test of
    their own serves them)."""
    document = re.sub(r'<pre><code>#.*?</code></pre>', '', document, flags=re.S)
    return [html.unescape(re.sub(r'<[^>]+>', '', code)) for code in re.findall(r'<code>(.*?)</code>', document, re.S)]


def deliverables(version):
    """Every file a release consists of, by the name the build gives it, and the guide's own
    documents, which the packages carry (their tests say where)."""
    return {f'zornet-{version}-portable.zip', f'zornet-{version}-setup.exe', f'zornet-{version}.msi',
            f'zornet_{version}_amd64.deb', f'zornet-{version}-web.zip', f'zornet-{version}-web',
            'Зорнет.html', 'Зорнет.exe', 'SHA256SUMS', 'BUILDINFO', 'Учителю.html', 'Администратору.html'}


# The commands the guide gives, each as the tool takes it: the line's start says which tool, and
# the whole line must then be of the tool's form, naming the deliverable it is for.
COMMANDS = [
    # msiexec: install or remove, always quiet, a log where asked for.
    ('msiexec', re.compile(r'^msiexec (?:/i|/x) (?P<file>\S+) /qn(?: /l\*v "[^"]+")?$'), 'msi'),
    # The NSIS installer: /S, and /D= last, unquoted even with blanks.
    ('zornet-', re.compile(r'^(?P<file>zornet-\S+-setup\.exe) /S(?: /D=[^"]+)?$'), 'setup'),
    ('"C:\\Program Files\\', re.compile(r'^"C:\\Program Files\\(?P<file>[^\\"]+)\\Uninstall\.exe" /S$'), 'folder'),
    ('sudo apt install', re.compile(r'^sudo apt install \./(?P<file>\S+)$'), 'deb'),
    ('sudo apt remove', re.compile(r'^sudo apt remove (?P<file>\S+)$'), 'package'),
    ('man ', re.compile(r'^man (?P<file>\S+)$'), 'package'),
    ('Get-FileHash', re.compile(r'^Get-FileHash \.\\(?P<file>\S+) -Algorithm SHA256$'), 'any'),
    ('certutil', re.compile(r'^certutil -hashfile (?P<file>\S+) SHA256$'), 'any'),
]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--guide', required=True)
    parser.add_argument('--version', required=True)
    parser.add_argument('--root')
    parser.add_argument('--site')
    args = parser.parse_args()
    with open(args.guide, encoding='utf-8') as f:
        document = f.read()
    known = deliverables(args.version)
    expected = {'msi': f'zornet-{args.version}.msi', 'setup': f'zornet-{args.version}-setup.exe', 'folder': 'Зорнет',
                'deb': f'zornet_{args.version}_amd64.deb', 'package': 'zornet'}
    texts = codes(document)
    if not texts:
        fail('the guide shows no code at all')

    for text in texts:
        for line in text.split('\n'):
            # A deliverable by name: the build's own name for it.
            for name in re.findall(r'(?<![/\w])(?:zornet[-_]\d[\w.-]*|Зорнет\.\w+)', line):
                if name not in known:
                    fail(f'"{line}" names {name}, which the build does not make')
            for start, form, kind in COMMANDS:
                # (A name alone is no command.)
                if line.startswith(start) and ' ' in line:
                    match = form.match(line)
                    if not match:
                        fail(f'"{line}" is not a {start.strip()} command as the tool takes it')
                    elif kind != 'any' and match.group('file') != expected[kind]:
                        fail(f'"{line}" names {match.group("file")}, not {expected[kind]}')
                    elif kind == 'any' and match.group('file') not in known:
                        fail(f'"{line}" checks {match.group("file")}, which the build does not make')
            if line.startswith('C:\\Program Files\\') and not line.startswith('C:\\Program Files\\Зорнет'):
                fail(f'"{line}" is not the folder the Windows packages install into')
            # The Debian package's own files.
            if args.root and line.startswith('/usr/') and not os.path.exists(os.path.join(args.root, line[1:])):
                fail(f'the Debian package installs no {line}')
            if args.root and line == 'zornet' and not os.path.exists(os.path.join(args.root, 'usr/bin/zornet')):
                fail('the Debian package installs no command zornet')
            # The web folder's files, by their names in it.
            if args.site and re.fullmatch(r'(?:icons/)?[\w.-]+\.(?:html|webmanifest|js|png|svg)', line) \
                    and line not in known and not os.path.exists(os.path.join(args.site, line)):
                fail(f'the web folder holds no {line}')
    if args.root and 'man zornet' in texts and not os.path.exists(os.path.join(args.root, 'usr/share/man/man1/zornet.1.gz')):
        fail('the Debian package installs no manual page')

    for failure in failures:
        print('guide: ' + failure)
    if failures:
        sys.exit(1)
    print(f'{args.guide}: {len(texts)} pieces of code, every name, command and path as the build makes them')


if __name__ == '__main__':
    main()
