"""How a check says that the program did not do what it should."""


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)
