"""Random markup lines for the oracles that read what kav-convert writes: every structure, faces,
accents, red, limits switched off, function names and digit runs, from a seed."""
import random

LETTERS = 'abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!()*+,-.=[]'
NAMES = ('alpha beta gamma Gamma delta Delta epsilon zeta eta theta Theta iota kappa lambda Lambda '
         'mu nu xi Xi pi Pi rho sigma Sigma tau upsilon Upsilon phi Phi chi psi Psi omega Omega '
         'lbrace rbrace vertbar lt gt leq geq in cdot times deg intersection union subset infinity '
         'rarrow pm cdots lfloor rfloor lceil rceil frac sqrt').split()
FACES = ('', '|rm', '|rmbold')
ACCENTS = ('', '|vector', '|hat', '|bar', '|tilde')
FUNCTIONS = ('sin', 'cos', 'tan', 'log', 'exp', 'asin', 'acos', 'atan')


class MarkupGenerator:
    def __init__(self, seed):
        self.random = random.Random(seed)

    def letter(self):
        r = self.random
        name = r.choice(LETTERS) if r.random() < 0.5 else r.choice(NAMES)
        style = (r.choice(FACES) if r.random() < 0.4 else '') + (r.choice(ACCENTS) if r.random() < 0.2 else '')
        return ('\\red' if r.random() < 0.1 else '') + '<' + name + style + '>'

    def limit(self, depth):
        return '\\none' if self.random.random() < 0.3 else self.row(depth + 1)

    def element(self, depth):
        r = self.random
        red = '\\red' if r.random() < 0.1 else ''
        kind = r.randrange(12 if depth < 4 else 3)
        if kind < 2:
            return self.letter()
        if kind == 2:
            return ''.join('<%s|rm>' % c for c in r.choice(FUNCTIONS))
        if kind in (3, 4):
            return red + r.choice(('\\super{', '\\sub{')) + self.row(depth + 1) + '}'
        if kind == 5:
            return red + '\\frac{' + self.row(depth + 1) + '}{' + self.row(depth + 1) + '}'
        if kind == 6:
            return red + '\\sqrt{' + self.row(depth + 1) + '}'
        if kind in (7, 8):
            op = r.choice(('sum', 'prod', 'integral'))
            return red + '\\%s{%s}{%s}' % (op, self.limit(depth), self.limit(depth))
        return ''.join('<%d>' % r.randrange(10) for _ in range(r.randrange(1, 4)))

    def row(self, depth=0):
        return ''.join(self.element(depth) for _ in range(self.random.randrange(5 if depth == 0 else 3) + (depth == 0)))


def random_document(count, seed=1):
    """A .kav document of `count` random lines."""
    generator = MarkupGenerator(seed)
    return '@@3\n' + ''.join('@' + generator.row() + '\n' for _ in range(count))
