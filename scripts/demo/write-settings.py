#!/usr/bin/env python3
# Writes the demo's KPXSETUP.INI, as a Japanese Windows editor saves it (code
# page 932, CR LF): three profile sets, each file below the tool's folder.
# The demo and the start-up benchmark both use it.
#   scripts/demo/write-settings.py <path of KPXSETUP.INI>
import sys

TEXT = """[KESTRO PLOTARA Color Profile Setup Tool]
NumColorProfileSets=3
ColorProfileSetName1=Office
ColorProfileSetName2=Poster
ColorProfileSetName3=写真 Photo

[Office]
Auto=%KPXSETUP%\\office\\auto.kpx
Vividness=%KPXSETUP%\\office\\vivid.kpx
Tone=%KPXSETUP%\\office\\tone.kpx
Font=%KPXSETUP%\\office\\font.kpx

[Poster]
Auto=%KPXSETUP%\\poster\\auto.kpx
Vividness=%KPXSETUP%\\poster\\vivid.kpx
Tone=%KPXSETUP%\\poster\\vivid.kpx
Font=%KPXSETUP%\\poster\\font.kpx

[写真 Photo]
Auto=%KPXSETUP%\\photo\\auto.kpx
Vividness=%KPXSETUP%\\photo\\vivid.kpx
Tone=%KPXSETUP%\\photo\\tone.kpx
Font=%KPXSETUP%\\photo\\font.kpx
"""

with open(sys.argv[1], "wb") as f:
    f.write(TEXT.replace("\n", "\r\n").encode("cp932"))
