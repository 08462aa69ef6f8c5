#!/usr/bin/env python3
"""The vendor's picture server as the program meets it on loopback: FTP over ROOT/docs/files/.

It speaks FTPS (explicit TLS): a client must say AUTH TLS before USER and PASS and protect the
data channel (PROT P); a login in clear is refused. --plain starts it without TLS, which only the
tests use to show that the program refuses such a server.

Two kinds of account log in:
  - the vendor's own account (--vendor-user/--vendor-password), which may write anywhere: the
    servers from before the accounts per office, and the vendor's upkeep;
  - every member of the vendor's server (an office or its staff) with the id and password of
    its MariaDB account. It reads everything and writes only under docs/files/<its office>/.
    A picture from before the folders (directly in docs/files/) it may delete, rename or
    replace only when the vendor's server records it as one of its office's pictures: its
    listing's copy names it (maemul.imgname1/imgname2) or its image box does (filebox.Img1).
    Its name proves nothing: "offa12_1.jpg" may be office offa's listing 12 or offa1's listing 2.
No FTP password is kept anywhere: the MariaDB server decides who may log in (over TLS, checked
against --mysql-ca), and the member's own row there (view my_member) names its office."""
import argparse
import os
import re
import ssl
import sys

import pymysql
from pyftpdlib.authorizers import AuthenticationFailed, DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

PLAIN_ID = re.compile(r"^[^-./\\\s]+$")
READ_PERMS = "elr"
WRITE_PERMS = "adfmwMT"
# What may be done to a picture from before the folders that the office's records name: delete
# it (d), rename it (f) and replace it (w). Never append to it, nor make folders or change modes.
OLD_PICTURE_PERMS = "dfw"
SYSTEM_DATABASES = ("information_schema", "performance_schema", "mysql", "sys")


class MemberDatabase:
    """The vendor's MariaDB as one member sees it, through its own account over TLS."""

    def __init__(self, host, port, ca_file):
        self.host = host
        self.port = port
        # Always TLS, the server's certificate and name verified (against the system's
        # authorities when no CA file is named): the member's password travels in it.
        self.tls = ssl.create_default_context(cafile=ca_file or None)

    def connect(self, username, password):
        return pymysql.connect(host=self.host, port=self.port, user=username, password=password,
                               connect_timeout=5, read_timeout=10, charset="utf8mb4", ssl=self.tls)

    def office_of(self, username, password):
        """(office id, offices' database) of a member whose account takes the password; None otherwise."""
        try:
            connection = self.connect(username, password)
        except pymysql.MySQLError:
            return None
        try:
            with connection.cursor() as cursor:
                cursor.execute("SHOW DATABASES")
                databases = [row[0] for row in cursor.fetchall() if row[0] not in SYSTEM_DATABASES]
                for database in databases:
                    try:
                        cursor.execute("SELECT companyID FROM %s.my_member WHERE memID = %%s"
                                       % quoted(database), (username,))
                    except pymysql.MySQLError:
                        continue
                    row = cursor.fetchone()
                    if row and row[0] and PLAIN_ID.match(row[0]):
                        return row[0], database
        finally:
            connection.close()
        return None

    def records_picture(self, username, password, database, office, name):
        """Whether the office's listings on the vendor's server name the picture. Asked through
        the member's own views, in which the office's own rows are always visible; any failure
        to ask is a no."""
        try:
            connection = self.connect(username, password)
        except pymysql.MySQLError:
            return False
        try:
            with connection.cursor() as cursor:
                cursor.execute("SELECT COUNT(*) FROM %s.maemul WHERE id = %%s AND (imgname1 = %%s OR "
                               "imgname2 = %%s)" % quoted(database), (office, name, name))
                if cursor.fetchone()[0] > 0:
                    return True
                like = "%" + name.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_") + "%"
                cursor.execute("SELECT Img1 FROM %s.filebox WHERE ID = %%s AND Img1 LIKE %%s"
                               % quoted(database), (office, like))
                return any(name in (row[0] or "").split("|") for row in cursor.fetchall())
        except pymysql.MySQLError:
            return False
        finally:
            connection.close()


def quoted(name):
    return "`" + name.replace("`", "``") + "`"


class OfficeAuthorizer(DummyAuthorizer):
    """Who logs in; each member's session then asks its own MemberRights what it may do."""

    def __init__(self, root, vendor_user, vendor_password, database):
        super().__init__()
        self.root = os.path.realpath(root)
        self.files = os.path.join(self.root, "docs", "files")
        self.vendor = vendor_user
        self.database = database
        self.add_user(vendor_user, vendor_password, self.root, perm=READ_PERMS + WRITE_PERMS)

    def validate_authentication(self, username, password, handler):
        # A session that logs in again starts from this authorizer, whoever it was before.
        handler.authorizer = self
        if username == self.vendor:
            return super().validate_authentication(username, password, handler)
        found = self.office_of(username, password)
        if found is None:
            raise AuthenticationFailed("Authentication failed.")
        office, database = found
        os.makedirs(os.path.join(self.files, office), exist_ok=True)
        # The member's password stays with its session only, to ask the vendor's server about
        # its pictures from before the folders; it goes when the session ends.
        handler.authorizer = MemberRights(self, username, password, office, database)

    def office_of(self, username, password):
        if not PLAIN_ID.match(username):
            return None
        return self.database.office_of(username, password)

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

    def has_perm(self, username, perm, path=None):
        if username == self.vendor:
            return super().has_perm(username, perm, path)
        return perm in READ_PERMS


class MemberRights:
    """What one logged-in member may do, for the length of its session."""

    def __init__(self, authorizer, username, password, office, database):
        self.authorizer = authorizer
        self.username = username
        self.password = password
        self.office = office
        self.database = database

    def __getattr__(self, name):
        return getattr(self.authorizer, name)

    def validate_authentication(self, username, password, handler):
        self.authorizer.validate_authentication(username, password, handler)

    def has_perm(self, username, perm, path=None):
        if perm in READ_PERMS:
            return True
        if username != self.username or path is None:
            return False
        files = self.authorizer.files
        path = os.path.realpath(path)
        own = os.path.join(files, self.office)
        if path == own or path.startswith(own + os.sep):
            return True
        if perm in OLD_PICTURE_PERMS and os.path.dirname(path) == files:
            name = os.path.basename(path)
            return not os.path.isdir(path) and self.authorizer.database.records_picture(
                self.username, self.password, self.database, self.office, name)
        return False


def handler_class(args):
    if args.plain:
        return FTPHandler
    from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler
    from OpenSSL import SSL

    class DataHandler(TLS_DTPHandler):
        # libcurl connects the data channel and begins its TLS handshake before it sends STOR or
        # RETR. pyftpdlib takes a data channel that is read before its transfer began for one
        # the client closed, and would cut the handshake off.
        def readable(self):
            return self._ssl_accepting or super().readable()

    class Handler(TLS_FTPHandler):
        dtp_handler = DataHandler
        certfile = args.tls_cert
        keyfile = args.tls_key
        # Nothing in clear: no USER/PASS before AUTH TLS, no data channel without PROT P.
        tls_control_required = True
        tls_data_required = True
        ssl_options = TLS_FTPHandler.ssl_options | SSL.OP_NO_TLSv1 | SSL.OP_NO_TLSv1_1

    Handler.get_ssl_context()  # a missing or broken certificate stops the start, not a login
    return Handler


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--host", default="127.0.0.1", help="the loopback address to listen on")
    parser.add_argument("--root", required=True)
    parser.add_argument("--vendor-user", required=True)
    parser.add_argument("--vendor-password", required=True)
    parser.add_argument("--mysql-port", type=int, required=True)
    parser.add_argument("--mysql-ca", default="", help="the CA the MariaDB server's certificate verifies against")
    parser.add_argument("--passive-ports", default="30000-30100")
    parser.add_argument("--tls-cert", help="the server's certificate (PEM, with its chain)")
    parser.add_argument("--tls-key", help="the certificate's private key (PEM)")
    parser.add_argument("--plain", action="store_true", help="no TLS at all (tests of the client only)")
    args = parser.parse_args()
    if not args.plain and not (args.tls_cert and args.tls_key):
        parser.error("--tls-cert and --tls-key are needed (or --plain)")
    match = re.fullmatch(r"([0-9]+)-([0-9]+)", args.passive_ports)
    if not match or int(match.group(1)) > int(match.group(2)):
        parser.error("--passive-ports is FIRST-LAST")

    handler = handler_class(args)
    handler.authorizer = OfficeAuthorizer(args.root, args.vendor_user, args.vendor_password,
                                          MemberDatabase("127.0.0.1", args.mysql_port, args.mysql_ca))
    handler.passive_ports = range(int(match.group(1)), int(match.group(2)) + 1)
    handler.permit_foreign_addresses = False
    server = FTPServer((args.host, args.port), handler)
    sys.stdout.flush()
    server.serve_forever()


if __name__ == "__main__":
    main()
