#!/usr/bin/env python3
"""Every relative link and picture in the repository's Markdown documents resolves to a file, and
an anchor (#name) to a heading of the file it names. Usage: check_links.py SOURCE_DIR"""
import re
import subprocess
import sys
from pathlib import Path

root = Path(sys.argv[1])
documents = subprocess.run(['git', '-C', str(root), 'ls-files', '--cached', '--others',
                            '--exclude-standard', '*.md'], capture_output=True,
                           text=True, check=True).stdout.split()
link = re.compile(r'!?\[[^\]]*\]\(([^)\s]+)\)')


def anchors(path):
    """GitHub's anchors: headings lowercased, punctuation dropped, spaces to hyphens."""
    text = re.sub(r'```.*?```', '', path.read_text(), flags=re.S)
    return {re.sub(r'[^\w\- ]', '', h.strip().lower()).replace(' ', '-')
            for h in re.findall(r'^#+ (.*)$', text, re.M)}


faults = []
for name in documents:
    document = root / name
    text = re.sub(r'```.*?```|`[^`\n]*`', '', document.read_text(), flags=re.S)
    for target in link.findall(text):
        if re.match(r'[a-z]+:', target):
            continue
        path, _, anchor = target.partition('#')
        resolved = (document.parent / path) if path else document
        if not resolved.exists():
            faults.append(f'{name}: {target}: no such file')
        elif anchor and resolved.suffix == '.md' and anchor not in anchors(resolved):
            faults.append(f'{name}: {target}: no such heading')
print('\n'.join(faults) or f'all relative links of {len(documents)} documents resolve')
sys.exit(1 if faults else 0)
