#!/usr/bin/python3
"""Prints an .xlsx workbook's first sheet as a test reads it back.

usage: xlsx_cells.py BOOK.xlsx DECIMAL

First line: "sheet=NAME freeze=CELL widths=W1,W2,..." (a width of 0 is a
column without a width of its own). Then one line per row, cells separated by
tabs, each "s:TEXT" for a text cell or "n:VALUE" for a number, the number
written as its format shows it ("0.00": two decimals, "0": an integer) with
DECIMAL as the decimal separator.
"""
import sys

import openpyxl
from openpyxl.utils import get_column_letter


def shown(cell, decimal):
    if cell.data_type == "n" and cell.value is not None:
        if cell.number_format == "0.00":
            text = f"{cell.value:.2f}"
        elif cell.number_format == "0":
            text = f"{cell.value:.0f}"
        else:
            text = repr(cell.value)
        return "n:" + text.replace(".", decimal)
    return "s:" + ("" if cell.value is None else str(cell.value))


def main():
    book = openpyxl.load_workbook(sys.argv[1])
    sheet = book.worksheets[0]
    widths = []
    for c in range(1, sheet.max_column + 1):
        dimension = sheet.column_dimensions.get(get_column_letter(c))
        widths.append(str(round(dimension.width)) if dimension and dimension.width else "0")
    print(f"sheet={sheet.title} freeze={sheet.freeze_panes} widths={','.join(widths)}")
    for row in sheet.iter_rows():
        print("\t".join(shown(cell, sys.argv[2]) for cell in row))


main()
