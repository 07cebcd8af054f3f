# SPDX-License-Identifier: Apache-2.0
"""quillane_site_rows: the rows of a site plan, one dict per camera, each naming its host.

A site plan is the CSV that `quillane-cli plan` reads with one more column, `host`: the
inventory host that sets the camera up (the PC on the camera's segment). It is read here, on
the controller, so that each host is handed its own rows and no other host's passwords.
"""

from ansible.errors import AnsibleFilterError

PLAN_COLUMNS = ('mac', 'name', 'dhcp', 'ip', 'mask', 'gateway', 'dns1', 'dns2',
                'new_password', 'id', 'password')
BLANKS = ' \t\r'


def split_cells(line):
    """The cells of one line, as quillane-cli reads them: a cell in double quotes keeps its
    commas and spaces ("" is a quote); spaces around other cells are dropped."""
    cells = []
    i = 0
    while True:
        while i < len(line) and line[i] in ' \t':
            i += 1
        if i < len(line) and line[i] == '"':
            cell = []
            i += 1
            while True:
                if i >= len(line):
                    raise ValueError('a quote is not closed')
                if line[i] == '"':
                    if line[i + 1:i + 2] != '"':
                        break
                    i += 1
                cell.append(line[i])
                i += 1
            i += 1
            while i < len(line) and line[i] in BLANKS:
                i += 1
            if i < len(line) and line[i] != ',':
                raise ValueError('text after a closing quote')
            cells.append(''.join(cell))
        else:
            end = line.find(',', i)
            end = len(line) if end < 0 else end
            cells.append(line[i:end].strip(BLANKS))
            i = end
        if i >= len(line):
            return cells
        i += 1


def site_rows(text, name='the site plan'):
    """Every camera row of the plan text; name labels the rows ("site.csv line 7")."""
    if text.startswith('\ufeff'):
        text = text[1:]
    columns = None
    rows = []
    for number, line in enumerate(text.split('\n'), start=1):
        stripped = line.strip(BLANKS)
        if not stripped or stripped.startswith('#'):
            continue
        where = '%s line %d' % (name, number)
        try:
            cells = split_cells(line)
        except ValueError as error:
            raise AnsibleFilterError('%s: %s' % (where, error))
        if columns is None:
            columns = [cell.lower() for cell in cells]
            for column in columns:
                if column != 'host' and column not in PLAN_COLUMNS:
                    raise AnsibleFilterError("%s: unknown column '%s'" % (where, column))
                if columns.count(column) > 1:
                    raise AnsibleFilterError("%s: column '%s' appears twice" % (where, column))
            for needed in ('host', 'mac'):
                if needed not in columns:
                    raise AnsibleFilterError("%s: the first line names no '%s' column" % (where, needed))
            continue
        if len(cells) > len(columns):
            raise AnsibleFilterError('%s: %d cells, but %d columns' % (where, len(cells), len(columns)))
        # An empty cell leaves the camera's value, as a missing one does.
        row = dict((column, cell) for column, cell in zip(columns, cells) if cell)
        row.setdefault('host', '')
        row['source'] = where
        rows.append(row)
    if columns is None:
        raise AnsibleFilterError('%s is empty' % name)
    return rows


class FilterModule(object):
    def filters(self):
        return {'quillane_site_rows': site_rows}
