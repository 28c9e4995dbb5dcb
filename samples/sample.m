// sample.m: a small address book, an example of Objective-C.
#import <Foundation/Foundation.h>

/* A contact: a name, an e-mail address and the
   tags it was filed under. */
@interface Contact : NSObject
@property (nonatomic, copy) NSString *name;
@property (nonatomic, copy, nullable) NSString *email;
@property (nonatomic, strong) NSMutableArray<NSString *> *tags;
- (instancetype)initWithName:(NSString *)name email:(nullable NSString *)email;
@end

@implementation Contact

- (instancetype)initWithName:(NSString *)name email:(nullable NSString *)email {
    self = [super init];
    if (self) {
        _name = [name copy];
        _email = [email copy];
        _tags = [NSMutableArray array];
    }
    return self;
}

- (NSString *)description {
    // a quote inside a string: "\"" must not end it
    return [NSString stringWithFormat:@"%@ <%@> \"%lu tags\"", self.name,
                                      self.email ?: @"no mail", (unsigned long)self.tags.count];
}

@end

int main(int argc, const char *argv[]) {
    @autoreleasepool {
        NSMutableArray<Contact *> *book = [NSMutableArray array];
        Contact *ada = [[Contact alloc] initWithName:@"Ada" email:@"ada@example.org"];
        [ada.tags addObject:@"math"];
        [book addObject:ada];
        [book addObject:[[Contact alloc] initWithName:@"Brian" email:nil]];

        NSArray *sorted = [book sortedArrayUsingComparator:^NSComparisonResult(Contact *a, Contact *b) {
            return [a.name compare:b.name];
        }];
        for (Contact *c in sorted) {
            NSLog(@"%@", c);
        }
        if (book.count == 0) {
            fprintf(stderr, "empty book\n");
            return 1;
        }
    }
    return 0;
}
