#!/usr/bin/env python3
"""Writes the hand-made spreadsheet files of the tests: what LibreOffice does
not write itself (other prefixes, absolute targets, cells without
references, repeat counts with content) and damaged files."""
import os
import zipfile

os.chdir(os.path.dirname(os.path.abspath(__file__)))


def packen(name, eintraege):
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED) as z:
        for eintrag, inhalt in eintraege:
            art = zipfile.ZIP_STORED if eintrag == "mimetype" else zipfile.ZIP_DEFLATED
            z.writestr(zipfile.ZipInfo(eintrag, (2026, 12, 7, 0, 0, 0)), inhalt, art)


OFFICE = 'xmlns:o="urn:oasis:names:tc:opendocument:xmlns:office:1.0" ' \
    'xmlns:t="urn:oasis:names:tc:opendocument:xmlns:table:1.0" ' \
    'xmlns:x="urn:oasis:names:tc:opendocument:xmlns:text:1.0" ' \
    'xmlns:d="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"'
packen("wiederholung.ods", [
    ("mimetype", "application/vnd.oasis.opendocument.spreadsheet"),
    ("content.xml", f"""<?xml version="1.0" encoding="UTF-8"?>
<o:document-content {OFFICE}><o:body><o:spreadsheet>
<t:table t:name="Vorne"><t:table-row><t:table-cell o:value-type="string"><x:p>nicht hier</x:p></t:table-cell></t:table-row></t:table>
<t:table t:name="Lohn">
<t:table-column t:number-columns-repeated="16384"/>
<t:table-header-rows><t:table-row><t:table-cell o:value-type="string"><x:p>Kopf</x:p></t:table-cell></t:table-row></t:table-header-rows>
<t:table-row-group><t:table-row t:number-rows-repeated="3">
<t:table-cell t:number-columns-repeated="2" o:value-type="float" o:value="1.5"><x:p>1,5</x:p></t:table-cell>
<t:table-cell t:number-columns-repeated="1000"/>
<t:covered-table-cell o:value-type="boolean" o:boolean-value="true"/>
<t:table-cell t:number-columns-repeated="15000"/>
</t:table-row></t:table-row-group>
<t:table-row t:number-rows-repeated="1048000"><t:table-cell t:number-columns-repeated="16384"/></t:table-row>
<t:table-rows><t:table-row><t:table-cell o:value-type="string"><o:annotation><x:p>Notiz</x:p></o:annotation><x:p>a<x:s x:c="3"/>b<x:tab/>c</x:p><x:p><x:span>d<x:line-break/>e</x:span><x:a>f</x:a><x:s/></x:p><d:frame><x:p>Bild</x:p></d:frame></t:table-cell>
<t:table-cell o:value-type="date" o:date-value="2026-12-07"><x:p>07.12.26</x:p></t:table-cell>
<t:table-cell o:value-type="currency" o:currency="EUR" o:value="-1234.5"><x:p>-1.234,50 €</x:p></t:table-cell></t:table-row></t:table-rows>
<t:table-row t:number-rows-repeated="2000"><t:table-cell t:number-columns-repeated="1024"/></t:table-row>
</t:table>
<t:table t:name="Hinten"/>
</o:spreadsheet></o:body></o:document-content>"""),
])

HAUPT = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
BEZ = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
ART = BEZ
packen("umwege.xlsx", [
    ("[Content_Types].xml", "<Types/>"),
    ("xl/workbook.xml", f"""<?xml version="1.0"?>
<x:workbook xmlns:x="{HAUPT}" xmlns:q="{BEZ}"><x:sheets>
<x:sheet name="Diagramm" sheetId="1" q:id="rId7"/><x:sheet name="Daten" sheetId="2" q:id="rId8"/>
</x:sheets></x:workbook>"""),
    ("xl/_rels/workbook.xml.rels", f"""<?xml version="1.0"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId7" Type="{ART}/chartsheet" Target="chartsheets/sheet1.xml"/>
<Relationship Id="rId8" Type="{ART}/worksheet" Target="/xl/blaetter/../worksheets/daten.xml"/>
<Relationship Id="rId9" Type="{ART}/sharedStrings" Target="texte.xml"/>
</Relationships>"""),
    ("xl/texte.xml", f"""<?xml version="1.0"?>
<sst xmlns="{HAUPT}"><si><t>eins</t></si>
<si><r><rPr><b/></rPr><t xml:space="preserve">Jörg </t></r><r><t>Müller</t></r><rPh sb="0" eb="1"><t>ヨ</t></rPh></si>
<si><t>Zeile_x000D_
zwei_x005F_x0041_</t></si></sst>"""),
    ("xl/worksheets/daten.xml", f"""<?xml version="1.0"?>
<x:worksheet xmlns:x="{HAUPT}"><x:sheetData>
<x:row><x:c t="s"><x:v>1</x:v></x:c><x:c><x:v>1.5E3</x:v></x:c><x:c s="3"/><x:c t="b"><x:v>1</x:v></x:c></x:row>
<x:row r="4"><x:c r="C4" t="inlineStr"><x:is><x:r><x:t>an</x:t></x:r><x:r><x:t>gehängt</x:t></x:r></x:is></x:c>
<x:c t="str"><x:f>"a"&amp;"b"</x:f><x:v>ab</x:v></x:c><x:c t="e"><x:f>1/0</x:f><x:v>#DIV/0!</x:v></x:c>
<x:c r="AA4" t="d"><x:v>2026-12-07</x:v></x:c><x:c r="AB4" t="s"><x:v>0</x:v></x:c><x:c r="AC4"><x:f>A1</x:f><x:v>-0.25</x:v></x:c><x:c t="s"><x:v>2</x:v></x:c></x:row>
<x:row/></x:sheetData></x:worksheet>"""),
])

packen("grosse-zelle.xlsx", [
    ("xl/workbook.xml", f'<workbook xmlns="{HAUPT}" xmlns:r="{BEZ}"><sheets>'
     '<sheet name="A" r:id="r1"/></sheets></workbook>'),
    ("xl/_rels/workbook.xml.rels", '<Relationships xmlns="http://schemas.openxmlformats.org/'
     f'package/2006/relationships"><Relationship Id="r1" Type="{ART}/worksheet" '
     'Target="worksheets/a.xml"/></Relationships>'),
    ("xl/worksheets/a.xml", f'<worksheet xmlns="{HAUPT}"><sheetData><row r="7">'
     '<c r="D7" t="inlineStr"><is><t>' + "a" * (1 << 20) + 'b</t></is></c></row></sheetData></worksheet>'),
])

# Entities that would expand a thousandfold: the declaration is refused.
packen("entitaeten.xlsx", [
    ("xl/workbook.xml", f'<workbook xmlns="{HAUPT}" xmlns:r="{BEZ}"><sheets>'
     '<sheet name="A" r:id="r1"/></sheets></workbook>'),
    ("xl/_rels/workbook.xml.rels", '<Relationships xmlns="http://schemas.openxmlformats.org/'
     f'package/2006/relationships"><Relationship Id="r1" Type="{ART}/worksheet" '
     'Target="worksheets/a.xml"/></Relationships>'),
    ("xl/worksheets/a.xml", '<?xml version="1.0"?>\n<!DOCTYPE w [<!ENTITY a "aaaaaaaaaa">'
     '<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">]>'
     f'<worksheet xmlns="{HAUPT}"><sheetData><row><c t="inlineStr"><is><t>&c;</t></is></c>'
     '</row></sheetData></worksheet>'),
])

packen("ohne-mappe.xlsx", [("[Content_Types].xml", "<Types/>"), ("xl/styles.xml", "<a/>")])

with zipfile.ZipFile("faelle-de.xlsx") as quelle:
    eintraege = [(i.filename, quelle.read(i.filename)) for i in quelle.infolist()]
kaputt = []
for eintrag, inhalt in eintraege:
    if eintrag == "xl/worksheets/sheet1.xml":
        inhalt = inhalt.replace(b"<sheetData>", b"\n<sheetData>\n<row><c><v>1</v></row>", 1)
    kaputt.append((eintrag, inhalt))
packen("kaputt-xml.xlsx", kaputt)


def mappe(blatt, name="A", zustand=None):
    """A workbook of one sheet `name` with the sheet XML's rows `blatt`."""
    attr = f' state="{zustand}"' if zustand else ""
    return [
        ("xl/workbook.xml", f'<workbook xmlns="{HAUPT}" xmlns:r="{BEZ}"><sheets>'
         f'<sheet name="{name}" r:id="r1"{attr}/></sheets></workbook>'),
        ("xl/_rels/workbook.xml.rels", '<Relationships xmlns="http://schemas.openxmlformats.org/'
         f'package/2006/relationships"><Relationship Id="r1" Type="{ART}/worksheet" '
         'Target="worksheets/a.xml"/></Relationships>'),
        ("xl/worksheets/a.xml", f'<worksheet xmlns="{HAUPT}"><sheetData>{blatt}</sheetData></worksheet>'),
    ]


def ods(tabellen, stile=""):
    return [("mimetype", "application/vnd.oasis.opendocument.spreadsheet"),
            ("content.xml", f'<o:document-content {OFFICE}><o:automatic-styles>{stile}'
             f'</o:automatic-styles><o:body><o:spreadsheet>{tabellen}</o:spreadsheet></o:body>'
             '</o:document-content>')]


KOPF = ('<row r="1"><c r="A1" t="inlineStr"><is><t>Jahr</t></is></c><c r="B1" t="inlineStr"><is><t>'
        'Monat</t></is></c><c r="C1" t="inlineStr"><is><t>Kasse</t></is></c><c r="D1" t="inlineStr">'
        '<is><t>Entgelt_1</t></is></c></row>')
# Formulas a script wrote without their results.
packen("ohne-ergebnis.xlsx", mappe(
    KOPF + '<row r="2"><c r="A2"><v>2012</v></c><c r="B2"><v>1</v></c><c r="C2" t="inlineStr"><is>'
    '<t>AOK Bayern</t></is></c><c r="D2"><f>400+50.5</f></c></row>'))
packen("leeres-ergebnis.xlsx", mappe(
    KOPF + '<row r="2"><c r="A2"><v>2012</v></c><c r="B2"><v>1</v></c><c r="C2" t="str"><f>"A"&amp;"OK"'
    '</f><v></v></c><c r="D2"><f>400+50.5</f><v/></c></row>'))
packen("ohne-ergebnis.ods", ods(
    '<t:table t:name="A"><t:table-row><t:table-cell o:value-type="string"><x:p>Jahr</x:p>'
    '</t:table-cell></t:table-row><t:table-row><t:table-cell t:formula="of:=2000+12"/>'
    '</t:table-row></t:table>'))

# The hidden first sheet: LibreOffice's headless conversion keeps the first
# sheet active, and the active sheet visible, in .xlsx (not in .ods).
with zipfile.ZipFile("formate.xlsx") as quelle:
    eintraege = [(i.filename, quelle.read(i.filename)) for i in quelle.infolist()]
packen("verborgen.xlsx", [
    (e, i.replace(b'name="Alt" sheetId="1" state="visible"', b'name="Alt" sheetId="1" state="hidden"')
     if e == "xl/workbook.xml" else i) for e, i in eintraege])

# Damaged after packing: a digit changed inside an unpacked sheet, the
# checksum left as it was.
for name, eintrag, alt, neu in [("falsche-pruefsumme.xlsx", "xl/worksheets/sheet2.xml",
                                 b"<v>600</v>", b"<v>900</v>"),
                                ("falsche-pruefsumme.ods", "content.xml",
                                 b'office:value="600"', b'office:value="900"')]:
    quelle_name = "formate." + name.rsplit(".", 1)[1]
    with zipfile.ZipFile(quelle_name) as quelle:
        eintraege = [(i.filename, quelle.read(i.filename)) for i in quelle.infolist()]
    with zipfile.ZipFile(name, "w") as z:
        for e, i in eintraege:
            z.writestr(zipfile.ZipInfo(e, (2026, 12, 7, 0, 0, 0)), i,
                       zipfile.ZIP_STORED if e == eintrag else zipfile.ZIP_DEFLATED)
    with open(name, "rb") as f:
        daten = f.read()
    assert alt in daten
    with open(name, "wb") as f:
        f.write(daten.replace(alt, neu, 1))

# Hostile: a sheet packed ten-thousandfold with bzip2, long names, a start
# tag of 40 MiB, rows repeated past any sheet.
with zipfile.ZipFile("bombe.xlsx", "w") as z:
    for e, i in mappe(KOPF + "<row/>" * (4 << 20)):
        z.writestr(zipfile.ZipInfo(e, (2026, 12, 7, 0, 0, 0)), i, zipfile.ZIP_BZIP2)
packen("langer-name.xlsx", mappe(KOPF, name="N" * (64 << 10)))
packen("langer-name.ods", ods(f'<t:table t:name="{"N" * (64 << 10)}"/>'))
packen("langes-element.xlsx", mappe(KOPF + '<row r="2"><c r="A2" x="' + "a" * (40 << 20) + '"/></row>'))
packen("wiederholt.ods", ods(
    '<t:table t:name="A"><t:table-row t:number-rows-repeated="1048000"><t:table-cell '
    't:number-columns-repeated="16384" o:value-type="float" o:value="1"/></t:table-row></t:table>'))

# The directory says the sheet is 100 bytes (local header and directory);
# unpacked it is 6 MiB.
packen("falsche-groesse.xlsx", mappe(KOPF + "<row/>" * (1 << 20)))
with open("falsche-groesse.xlsx", "rb") as f:
    daten = bytearray(f.read())
with zipfile.ZipFile("falsche-groesse.xlsx") as z:
    info = z.getinfo("xl/worksheets/a.xml")
kopf = info.header_offset
daten[kopf + 22:kopf + 26] = (100).to_bytes(4, "little")
pos = 0
while (pos := daten.find(b"PK\x01\x02", pos)) >= 0:
    laenge = int.from_bytes(daten[pos + 28:pos + 30], "little")
    if daten[pos + 46:pos + 46 + laenge] == b"xl/worksheets/a.xml":
        daten[pos + 24:pos + 28] = (100).to_bytes(4, "little")
    pos += 4
with open("falsche-groesse.xlsx", "wb") as f:
    f.write(daten)
