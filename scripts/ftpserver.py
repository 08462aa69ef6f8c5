#!/usr/bin/env python3
"""The vendor's picture server as the program meets it on loopback: FTP over ROOT/docs/files/.

Two kinds of account log in:
  - the vendor's own account (--vendor-user/--vendor-password), which may write anywhere: the
    servers from before the accounts per office, and the vendor's upkeep;
  - every member of the vendor's server (an office or its staff) with the id and password of
    its MariaDB account. It reads everything and writes only under docs/files/<its office>/; of
    the pictures from before the folders (docs/files/<office><number>_<slot>.<ext>) it may only
    delete its own office's.
No FTP password is kept anywhere: the MariaDB server decides who may log in, and the member's
own row there (view my_member) names its office."""
import argparse
import os
import re

import pymysql
from pyftpdlib.authorizers import AuthenticationFailed, DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

PLAIN_ID = re.compile(r"^[^-./\\\s]+$")
READ_PERMS = "elr"
WRITE_PERMS = "adfmwMT"


class OfficeAuthorizer(DummyAuthorizer):
    def __init__(self, root, vendor_user, vendor_password, mysql_host, mysql_port):
        super().__init__()
        self.root = os.path.realpath(root)
        self.files = os.path.join(self.root, "docs", "files")
        self.vendor = vendor_user
        self.offices = {}
        self.add_user(vendor_user, vendor_password, self.root, perm=READ_PERMS + WRITE_PERMS)
        self.mysql = (mysql_host, mysql_port)

    # --- who logs in

    def office_of(self, username, password):
        """The office of a member whose MariaDB account takes the password; None otherwise."""
        if not PLAIN_ID.match(username):
            return None
        try:
            connection = pymysql.connect(host=self.mysql[0], port=self.mysql[1], user=username,
                                         password=password, connect_timeout=5, charset="utf8mb4")
        except pymysql.MySQLError:
            return None
        try:
            with connection.cursor() as cursor:
                cursor.execute("SHOW DATABASES")
                databases = [row[0] for row in cursor.fetchall()
                             if row[0] not in ("information_schema", "performance_schema", "mysql", "sys")]
                for database in databases:
                    try:
                        cursor.execute("SELECT companyID FROM `%s`.my_member WHERE memID = %%s"
                                       % database.replace("`", "``"), (username,))
                    except pymysql.MySQLError:
                        continue
                    row = cursor.fetchone()
                    if row and row[0] and PLAIN_ID.match(row[0]):
                        return row[0]
        finally:
            connection.close()
        return None

    def validate_authentication(self, username, password, handler):
        if username == self.vendor:
            return super().validate_authentication(username, password, handler)
        office = self.office_of(username, password)
        if office is None:
            raise AuthenticationFailed("Authentication failed.")
        self.offices[username] = office
        os.makedirs(os.path.join(self.files, office), exist_ok=True)

    def has_user(self, username):
        return username in self.user_table or username in self.offices

    def get_home_dir(self, username):
        return self.root

    def get_perms(self, username):
        return READ_PERMS + WRITE_PERMS

    def get_msg_login(self, username):
        return "Login successful."

    def get_msg_quit(self, username):
        return "Goodbye."

    def impersonate_user(self, username, password):
        pass

    def terminate_impersonation(self, username):
        pass

    # --- what a member may do

    def has_perm(self, username, perm, path=None):
        if username == self.vendor:
            return super().has_perm(username, perm, path)
        if perm in READ_PERMS:
            return True
        office = self.offices.get(username)
        if office is None or path is None:
            return False
        path = os.path.realpath(path)
        own = os.path.join(self.files, office)
        if path == own or path.startswith(own + os.sep):
            return True
        # A picture from before the folders: only its own office's, and only to delete it.
        if perm == "d" and os.path.dirname(path) == self.files:
            return re.match(r"^%s[0-9]+_[0-9]+(\.[^./]*)?$" % re.escape(office),
                            os.path.basename(path)) is not None
        return False


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--root", required=True)
    parser.add_argument("--vendor-user", required=True)
    parser.add_argument("--vendor-password", required=True)
    parser.add_argument("--mysql-port", type=int, required=True)
    parser.add_argument("--passive-ports", default="30000-30100")
    args = parser.parse_args()

    handler = FTPHandler
    handler.authorizer = OfficeAuthorizer(args.root, args.vendor_user, args.vendor_password,
                                          "127.0.0.1", args.mysql_port)
    first, last = (int(p) for p in args.passive_ports.split("-"))
    handler.passive_ports = range(first, last + 1)
    handler.permit_foreign_addresses = False
    server = FTPServer(("127.0.0.1", args.port), handler)
    server.serve_forever()


if __name__ == "__main__":
    main()
