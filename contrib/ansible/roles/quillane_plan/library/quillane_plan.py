#!/usr/bin/python
# SPDX-License-Identifier: Apache-2.0

DOCUMENTATION = r'''
module: quillane_plan
short_description: Sets up the cameras of one segment with quillane-cli plan
description:
  - Writes the host's camera rows as a plan file (mode 0600, in a private temporary folder that
    is removed afterwards), runs C(quillane-cli plan --json) on it and reports each camera as
    changed, unchanged (ok) or failed. The task fails when any camera failed; the others go on.
  - Passwords reach quillane-cli on its standard input or inside the plan file, never on its
    command line.
  - A row with a new password first tries to sign in with it; when that works the camera
    already holds it, and the row goes on with it as its current password, so that a second
    run changes nothing.
  - In check mode the plan runs with C(--dry-run), which signs in to no camera, so a wrong password
    shows only in a real run.
author: Quillane developers
options:
  cameras:
    description: One dict per camera, with the columns of a plan file as keys.
    type: list
    elements: dict
    required: true
    suboptions:
      mac: {type: str, required: true, description: The camera's MAC.}
      name: {type: str, description: The camera's new name.}
      dhcp: {type: raw, description: "true or false, or what a plan file takes (1, 0, dhcp, static)."}
      ip: {type: str, description: A static address.}
      mask: {type: str, description: Its mask.}
      gateway: {type: str, description: The gateway.}
      dns1: {type: str, description: The first DNS server.}
      dns2: {type: str, description: The second DNS server.}
      new_password: {type: str, description: A new administrator password.}
      id: {type: str, description: "The administrator ID, when not I(admin_id)."}
      password: {type: str, description: "The camera's current password, when not I(password)."}
      host: {type: str, description: The inventory host of a site plan row (not used here).}
      source: {type: str, description: Where the row comes from, for the report.}
  admin_id:
    description: Administrator ID of every row without its own.
    type: str
    default: admin
  password:
    description: Current password of every row without its own.
    type: str
  cli:
    description: The quillane-cli program.
    type: str
    default: quillane-cli
  interface:
    description: Search only this interface.
    type: str
  search_time:
    description: Quiet milliseconds that end a search (quillane-cli's default when not given).
    type: int
  timeout:
    description: Milliseconds to wait for each answer (quillane-cli's default when not given).
    type: int
'''

RETURN = r'''
cameras:
  description: One entry per row, in order.
  type: list
  elements: dict
  returned: always
  contains:
    mac: {type: str, description: "The row's MAC."}
    source: {type: str, description: "Where the row came from."}
    status: {type: str, description: "changed, ok or failed."}
    result: {type: str, description: "quillane-cli's result: confirmed, would change, no change, differs,
      not seen again, refused, not found or failed."}
    detail: {type: str, description: "What changed, or why the row failed."}
summary:
  description: "One line per camera: MAC (source): status - detail."
  type: list
  elements: str
  returned: always
counts:
  description: How many cameras are changed, ok and failed.
  type: dict
  returned: always
'''

import json
import os
import shutil
import subprocess
import tempfile
from concurrent.futures import ThreadPoolExecutor

from ansible.module_utils.basic import AnsibleModule

PLAN_COLUMNS = ('mac', 'name', 'dhcp', 'ip', 'mask', 'gateway', 'dns1', 'dns2',
                'new_password', 'id', 'password')
STATUS = {'confirmed': 'changed', 'would change': 'changed', 'no change': 'ok'}
# Sign-in checks of new passwords at the same time: each waits out a search.
PROBES_AT_ONCE = 8

TEXT = dict(type='str')
SECRET = dict(type='str', no_log=True)
CAMERA_OPTIONS = dict(
    mac=dict(type='str', required=True), name=TEXT, dhcp=dict(type='raw'), ip=TEXT, mask=TEXT,
    gateway=TEXT, dns1=TEXT, dns2=TEXT, new_password=SECRET, id=TEXT, password=SECRET, host=TEXT,
    source=TEXT)


class Row(object):
    def __init__(self, camera, source):
        self.source = source
        self.cells = {}
        for column in PLAN_COLUMNS:
            value = camera.get(column)
            if isinstance(value, bool):
                value = '1' if value else '0'
            if value is not None and str(value) != '':
                self.cells[column] = str(value)
        self.mac = self.cells.get('mac', '')
        self.new_password_held = False
        self.outcome = None

    def problem(self):
        """Why the row cannot go into a plan file, which holds one line per row."""
        for column, value in self.cells.items():
            if '\n' in value or '\r' in value or '\0' in value:
                return 'the %s holds a line break or a NUL byte' % column.replace('_', ' ')
        return None


def quoted(cell):
    return '"' + cell.replace('"', '""') + '"'


def plan_text(rows):
    """Every cell is quoted: its spaces stay, and no row reads as a comment or an empty line."""
    columns = [c for c in PLAN_COLUMNS if c == 'mac' or any(c in row.cells for row in rows)]
    lines = [','.join(columns)]
    for row in rows:
        lines.append(','.join(quoted(row.cells.get(c, '')) if c in row.cells or c == 'mac' else ''
                              for c in columns))
    return '\n'.join(lines) + '\n'


def common_options(params):
    options = []
    for name in ('interface', 'search_time', 'timeout'):
        if params[name] is not None:
            options += ['--' + name.replace('_', '-'), str(params[name])]
    return options


def signs_in(params, row, password):
    """Whether the camera takes password, checked by a sign-in (which changes nothing)."""
    args = [params['cli'], 'login', '--mac', row.mac, '--id', row.cells.get('id', params['admin_id']),
            '--password-stdin'] + common_options(params)
    try:
        done = subprocess.run(args, input=(password + '\n').encode(), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    except OSError:
        return False  # the plan's own run then says what is wrong with the program
    return done.returncode == 0


def take_held_new_passwords(params, rows):
    """A camera that signs in with its row's new password holds it already: the row goes on
    with it as the current password and asks for no change of password."""
    asking = [row for row in rows if 'new_password' in row.cells]
    if not asking:
        return
    with ThreadPoolExecutor(max_workers=min(PROBES_AT_ONCE, len(asking))) as pool:
        held = list(pool.map(lambda row: signs_in(params, row, row.cells['new_password']), asking))
    for row, holds in zip(asking, held):
        if holds:
            row.cells['password'] = row.cells.pop('new_password')
            row.new_password_held = True


def write_private(folder, name, text):
    path = os.path.join(folder, name)
    fd = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o600)
    with os.fdopen(fd, 'w', encoding='utf-8') as f:
        f.write(text)
    return path


def run_plan(module, rows):
    """quillane-cli's rows for rows, in order."""
    params = module.params
    folder = tempfile.mkdtemp(prefix='quillane-plan-')  # mode 0700
    try:
        path = write_private(folder, 'plan.csv', plan_text(rows))
        args = [params['cli'], 'plan', path, '--json', '--id', params['admin_id']] + common_options(params)
        if module.check_mode:
            args.append('--dry-run')
        data = None
        if params['password']:
            args.append('--password-stdin')
            data = params['password'] + '\n'
        rc, out, err = module.run_command(args, data=data, binary_data=True, encoding='utf-8')
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    for line in err.splitlines():
        if line.strip():
            module.warn(line.strip())
    try:
        plan = json.loads(out) if rc in (0, 1) else None
    except ValueError:
        plan = None
    if not plan or len(plan.get('rows', [])) != len(rows):
        module.fail_json(msg='quillane-cli plan gave no report of the rows (exit %d): %s' % (rc, err.strip()),
                         rc=rc, stderr=err)
    return plan['rows']


def changes_text(outcome):
    parts = ['%s %s -> %s' % (c['setting'], c['from'], c['to']) for c in outcome.get('changes', [])]
    if outcome.get('newPassword'):
        parts.append('new password')
    return ', '.join(parts)


def detail(row):
    o = row.outcome
    result = o['result']
    held = ' (it signs in with its new password already)' if row.new_password_held else ''
    if result == 'no change':
        return 'no change' + held
    if result in ('confirmed', 'would change'):
        lost = '' if o.get('answered', True) else '; the answer to a write was lost'
        return '%s: %s%s%s' % (result, changes_text(o), held, lost)
    if result == 'differs':
        found = ', '.join('%s %s, not %s' % (d['setting'], d['found'], d['applied'])
                          for d in o.get('verify', {}).get('differences', []))
        return 'differs: the camera answers with ' + found
    if result == 'not seen again':
        return 'not seen again: the camera did not answer the search after the apply; it may still be restarting'
    return '%s: %s' % (result, o.get('reason', ''))


def main():
    module = AnsibleModule(
        argument_spec=dict(
            cameras=dict(type='list', elements='dict', required=True, options=CAMERA_OPTIONS),
            admin_id=dict(type='str', default='admin'),
            password=dict(type='str', no_log=True),
            cli=dict(type='str', default='quillane-cli'),
            interface=dict(type='str'),
            search_time=dict(type='int'),
            timeout=dict(type='int'),
        ),
        supports_check_mode=True,
    )
    params = module.params
    if params['password'] and ('\n' in params['password'] or '\r' in params['password']):
        module.fail_json(msg='the password holds a line break')
    # Rows of a site plan name their line; the others come from the inventory's list.
    rows = []
    listed = 0
    for camera in params['cameras']:
        listed += 0 if camera.get('source') else 1
        rows.append(Row(camera, camera.get('source') or 'quillane_cameras item %d' % listed))
    if not rows:
        module.exit_json(changed=False, msg='no camera for this host', cameras=[], summary=[],
                         counts=dict(changed=0, ok=0, failed=0))

    for row in rows:
        problem = row.problem()
        if problem:
            row.outcome = dict(result='refused', reason=problem)
    planned = [row for row in rows if row.outcome is None]
    if planned:
        take_held_new_passwords(params, planned)
        for row, outcome in zip(planned, run_plan(module, planned)):
            row.outcome = outcome

    cameras = []
    for row in rows:
        cameras.append(dict(mac=row.mac, source=row.source, result=row.outcome['result'],
                            status=STATUS.get(row.outcome['result'], 'failed'), detail=detail(row)))
    summary = ['%s (%s): %s - %s' % (c['mac'], c['source'], c['status'], c['detail']) for c in cameras]
    counts = dict((status, sum(1 for c in cameras if c['status'] == status))
                  for status in ('changed', 'ok', 'failed'))
    changed = counts['changed'] > 0
    if counts['failed']:
        failed = [line for line, c in zip(summary, cameras) if c['status'] == 'failed']
        module.fail_json(msg='%d of %d cameras failed: %s' % (counts['failed'], len(cameras), '; '.join(failed)),
                         changed=changed, cameras=cameras, summary=summary, counts=counts)
    module.exit_json(changed=changed, msg='%(changed)d changed, %(ok)d unchanged' % counts,
                     cameras=cameras, summary=summary, counts=counts)


if __name__ == '__main__':
    main()
