#!/usr/bin/env python3
"""openpyxl as the independent reader and writer of the spreadsheet tests.

  describe BOOK.xlsx             prints the first sheet as JSON: its name, the
                                 frozen cell, the filter range, the column
                                 widths and every cell (value, type, format)
  write BOOK.xlsx ROWS.json      writes the rows (lists; null: no cell) to the
                                 sheet "Katalog", numbers as floats
  roundtrip IN.xlsx OUT.xlsx     three prices changed and one dish added
  formula BOOK.xlsx ROWS.json    as write, and a formula without a stored
                                 value in the price of the second row
  zip OUT PARTS.json             a zip file of the parts {name: text} (a text
                                 "ZEROS:n" stands for n zero bytes, "SPARSE:n"
                                 for n bytes of zeros with a random byte every
                                 300, which pack about 80 to 1), deflated
"""
import json
import random
import sys

import zipfile

import openpyxl


def describe(path):
    wb = openpyxl.load_workbook(path)
    ws = wb.worksheets[0]
    cells = []
    for row in ws.iter_rows():
        cells.append([[c.value, c.data_type, c.number_format] for c in row])
    widths = {k: v.width for k, v in ws.column_dimensions.items()}
    print(json.dumps({"sheets": wb.sheetnames, "freeze": ws.freeze_panes,
                      "filter": ws.auto_filter.ref, "widths": widths, "cells": cells}))


def write(path, rows_path, formula=False):
    with open(rows_path, encoding="utf-8") as f:
        rows = json.load(f)
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = "Katalog"
    for r, row in enumerate(rows, start=1):
        for c, value in enumerate(row, start=1):
            if value is None:
                continue  # a cell the spreadsheet leaves out
            ws.cell(row=r, column=c, value=float(value) if isinstance(value, int) else value)
    if formula:
        ws.cell(row=2, column=4, value="=1+2")
    wb.save(path)


def roundtrip(src, dst):
    wb = openpyxl.load_workbook(src)
    ws = wb["Katalog"]
    header = [c.value for c in ws[1]]
    price = header.index("Preis") + 1
    # The prices of rows 2, 5 and 8 go up by 0.40, as a spreadsheet computes it.
    for r in (2, 5, 8):
        cell = ws.cell(row=r, column=price)
        cell.value = cell.value + 0.4
    dish = {"Kategorie": "Hauptgerichte", "Bezeichnung": "Spinatknödel",
            "Beschreibung": "mit brauner Butter", "Preis": 13.9, "Bestellnummer": 0}
    new_row = ws.max_row + 1
    for name, value in dish.items():
        ws.cell(row=new_row, column=header.index(name) + 1, value=value)
    wb.save(dst)


def make_zip(path, parts_path):
    with open(parts_path, encoding="utf-8") as f:
        parts = json.load(f)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, text in parts.items():
            if text.startswith("ZEROS:"):
                data = bytes(int(text[6:]))
            elif text.startswith("SPARSE:"):
                rng = random.Random(4711)
                data = bytearray(int(text[7:]))
                for i in range(0, len(data), 300):
                    data[i] = rng.randrange(1, 256)
                data = bytes(data)
            else:
                data = text.encode("utf-8")
            z.writestr(name, data)


if __name__ == "__main__":
    cmd = sys.argv[1]
    if cmd == "describe":
        describe(sys.argv[2])
    elif cmd == "write":
        write(sys.argv[2], sys.argv[3])
    elif cmd == "formula":
        write(sys.argv[2], sys.argv[3], formula=True)
    elif cmd == "roundtrip":
        roundtrip(sys.argv[2], sys.argv[3])
    elif cmd == "zip":
        make_zip(sys.argv[2], sys.argv[3])
    else:
        sys.exit("unknown command " + cmd)
